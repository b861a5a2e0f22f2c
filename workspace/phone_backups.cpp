#include "workspace/phone_backups.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "base/local_file.h"

namespace menuforge {
namespace {

constexpr std::string_view kPrefix = "mma_ucp_";
constexpr std::size_t kTimeLength = 15;  // YYYYMMDD-HHMMSS

bool Digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The IMEI comes from the phone, so only letters and digits of it go into a file name.
std::string NamePartOf(const std::string& imei) {
  std::string part;
  for (const unsigned char c : imei)
    if (std::isalnum(c) && c < 0x80) part += static_cast<char>(c);
  return part.empty() ? "unknown" : part;
}

std::string TimeText(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

struct ParsedName {
  std::string imei;
  std::string time;
  unsigned turn = 0;  // a second copy in the same second is "_2", and so on
};

// "mma_ucp_IMEI_YYYYMMDD-HHMMSS" with an optional "_N".
std::optional<ParsedName> ParseName(std::string_view name) {
  if (!name.starts_with(kPrefix)) return std::nullopt;
  name.remove_prefix(kPrefix.size());
  const std::size_t imeiEnd = name.find('_');
  if (imeiEnd == std::string_view::npos || imeiEnd == 0) return std::nullopt;
  ParsedName parsed{std::string(name.substr(0, imeiEnd)), {}, 1};
  name.remove_prefix(imeiEnd + 1);
  const std::string_view time = name.substr(0, kTimeLength);
  if (time.size() != kTimeLength || time[8] != '-' || !Digits(time.substr(0, 8)) ||
      !Digits(time.substr(9)))
    return std::nullopt;
  parsed.time = std::string(time);
  name.remove_prefix(kTimeLength);
  if (name.empty()) return parsed;
  if (name.front() != '_' || !Digits(name.substr(1)) || name.size() > 4) return std::nullopt;
  parsed.turn = static_cast<unsigned>(std::stoul(std::string(name.substr(1))));
  return parsed;
}

std::vector<std::pair<ParsedName, std::filesystem::path>> Backups(
    const std::filesystem::path& folder) {
  std::vector<std::pair<ParsedName, std::filesystem::path>> found;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    if (!entry->is_regular_file(error)) continue;
    if (auto parsed = ParseName(entry->path().filename().string()))
      found.emplace_back(std::move(*parsed), entry->path());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return std::tie(a.first.time, a.first.turn, a.second) >
           std::tie(b.first.time, b.first.turn, b.second);
  });
  return found;
}

bool SameBytes(const std::filesystem::path& path, ByteView bytes) {
  const Result<std::string> held = ReadWholeFile(path);
  return held &&
         std::equal(held->begin(), held->end(), bytes.begin(), bytes.end(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

}  // namespace

std::filesystem::path PhoneBackupFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && std::filesystem::path(data).is_absolute())
    return std::filesystem::path(data) / "menuforge" / "backups";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::filesystem::path(home) / ".local/share/menuforge/backups";
  return {};
}

std::vector<PhoneBackup> ListPhoneBackups(const std::filesystem::path& folder) {
  std::vector<PhoneBackup> listed;
  for (auto& [name, path] : Backups(folder))
    listed.push_back({std::move(path), std::move(name.imei), std::move(name.time)});
  return listed;
}

Result<std::filesystem::path> StorePhoneBackup(const std::filesystem::path& folder,
                                               const std::string& imei, std::time_t when,
                                               ByteView menu) {
  if (folder.empty()) return Failure(kNoBackupFolderText);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Failure("Cannot create folder \"" + folder.string() + "\". " + error.message());

  const std::string phone = NamePartOf(imei);
  const auto backups = Backups(folder);
  const auto newest = std::find_if(backups.begin(), backups.end(),
                                   [&](const auto& backup) { return backup.first.imei == phone; });
  if (newest != backups.end() && SameBytes(newest->second, menu)) return newest->second;

  const std::string name = std::string(kPrefix) + phone + "_" + TimeText(when);
  std::filesystem::path path = folder / name;
  for (unsigned turn = 2; std::filesystem::exists(path, error); ++turn)
    path = folder / (name + "_" + std::to_string(turn));
  if (const Status written = WriteFileAtomically(path, menu); !written)
    return Failure(written.error());

  const auto kept = Backups(folder);
  for (std::size_t i = kKeptPhoneBackups; i < kept.size(); ++i)
    std::filesystem::remove(kept[i].second, error);
  return path;
}

}  // namespace menuforge

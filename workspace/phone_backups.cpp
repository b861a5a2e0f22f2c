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

struct FoundBackup {
  ParsedName name;
  std::filesystem::path path;
  std::filesystem::file_time_type written;
};

// Newest first by when each was written: the time in a name is the clock's of that moment,
// and a clock that once ran ahead (or a planted name) must not make a new copy look old.
std::vector<FoundBackup> Backups(const std::filesystem::path& folder) {
  std::vector<FoundBackup> found;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code unreadable;
    if (!entry->is_regular_file(unreadable)) continue;
    const auto written = entry->last_write_time(unreadable);
    if (unreadable) continue;
    if (auto parsed = ParseName(entry->path().filename().string()))
      found.push_back({std::move(*parsed), entry->path(), written});
  }
  std::sort(found.begin(), found.end(), [](const FoundBackup& a, const FoundBackup& b) {
    return std::tie(a.written, a.name.time, a.name.turn, a.path) >
           std::tie(b.written, b.name.time, b.name.turn, b.path);
  });
  return found;
}

// A file larger than any menu is no copy of this one, and is not read to find that out.
bool SameBytes(const std::filesystem::path& path, ByteView bytes) {
  const Result<std::string> held = ReadWholeFile(path, kLargestPhoneBackup, kPhoneBackupKind);
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
  for (FoundBackup& found : Backups(folder))
    listed.push_back(
        {std::move(found.path), std::move(found.name.imei), std::move(found.name.time)});
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
                                   [&](const auto& backup) { return backup.name.imei == phone; });
  if (newest != backups.end() && SameBytes(newest->path, menu)) return newest->path;

  const std::string name = std::string(kPrefix) + phone + "_" + TimeText(when);
  std::filesystem::path path = folder / name;
  for (unsigned turn = 2; std::filesystem::exists(path, error); ++turn)
    path = folder / (name + "_" + std::to_string(turn));
  if (const Status written = WriteFileAtomically(path, menu); !written)
    return Failure(written.error());
  // The phone is written only once its copy can be read back as it was.
  if (!SameBytes(path, menu))
    return Failure(FileError("read", path, "It does not hold what was written"));

  // The copy just made is the one this write relies on, whatever the others' times say.
  std::size_t kept = 1;
  for (const FoundBackup& backup : Backups(folder)) {
    if (backup.path == path) continue;
    if (kept < kKeptPhoneBackups)
      ++kept;
    else
      std::filesystem::remove(backup.path, error);
  }
  return path;
}

}  // namespace menuforge

#include "phonesim/phone_storage.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "base/local_file.h"
#include "phonesim/phone_path.h"
#include "phonesim/storage_file.h"

namespace menuforge {
namespace {

using AttributeTable = std::map<std::string, std::uint16_t, std::less<>>;

// Nothing when links lead the record's file out of the storage folder.
std::optional<std::filesystem::path> SeemFile(const std::filesystem::path& root, std::uint16_t seem,
                                              std::uint16_t record) {
  auto hex4 = [](std::uint16_t value) {
    return ByteToHex(static_cast<std::uint8_t>(value >> 8)) +
           ByteToHex(static_cast<std::uint8_t>(value & 0xFF));
  };
  std::filesystem::path file = root / kSeemFolder / (hex4(seem) + "_" + hex4(record) + ".seem");
  if (!LiesWithin(root, file)) return std::nullopt;
  return file;
}

// One "mask path" line per file that carries attributes; nothing when the table is a link
// leading out of the storage folder.
std::optional<AttributeTable> ReadAttributeTable(const std::filesystem::path& root) {
  const std::filesystem::path file = root / kAttributeTableFile;
  if (!LiesWithin(root, file)) return std::nullopt;
  AttributeTable table;
  const Result<std::string> text = ReadWholeFile(file);
  if (!text) return table;
  for (const std::string& line : SplitLines(*text)) {
    const std::size_t blank = line.find(' ');
    unsigned mask = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + blank, mask);
    if (blank == std::string::npos || error != std::errc() || end != line.data() + blank) continue;
    table[line.substr(blank + 1)] = static_cast<std::uint16_t>(mask);
  }
  return table;
}

bool WriteAttributeTable(const std::filesystem::path& root, const AttributeTable& table) {
  std::string text;
  for (const auto& [path, mask] : table)
    if (mask != 0) text += std::to_string(mask) + " " + path + "\r\n";
  return ReplaceStorageFile(
      root / kAttributeTableFile,
      ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

PhoneStorage::PhoneStorage(const std::filesystem::path& root, std::uint64_t volumeCapacity)
    : root_(NormalStorageRoot(root)), volumeCapacity_(volumeCapacity) {}

std::optional<std::filesystem::path> PhoneStorage::Resolve(std::string_view phonePath) const {
  return ResolvePhonePath(root_, phonePath);
}

std::string PhoneStorage::Volumes() const {
  std::string letters;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(root_, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 1 && Resolve("/" + name)) letters += name;
  }
  std::sort(letters.begin(), letters.end());
  return letters;
}

std::optional<std::vector<FileListEntry>> PhoneStorage::List(std::string_view pattern) const {
  const std::size_t slash = pattern.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return std::nullopt;
  const auto folder = Resolve(pattern.substr(0, slash));
  std::error_code error;
  if (!folder || !std::filesystem::is_directory(*folder, error)) return std::nullopt;
  const std::string_view namePattern = pattern.substr(slash + 1);

  const std::optional<AttributeTable> attributes = ReadAttributeTable(root_);
  if (!attributes) return std::nullopt;
  std::vector<std::pair<std::string, std::uint32_t>> found;
  for (auto it = std::filesystem::recursive_directory_iterator(*folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error) || it->is_symlink(error)) continue;
    if (!MatchesFilePattern(it->path().filename().string(), namePattern)) continue;
    const std::string phonePath = PhonePathOf(root_, it->path());
    if (phonePath.size() > kMaxPhonePathLength) continue;
    found.emplace_back(phonePath, static_cast<std::uint32_t>(it->file_size(error)));
  }
  std::sort(found.begin(), found.end());

  std::vector<FileListEntry> entries;
  for (const auto& [path, size] : found) {
    const auto mask = attributes->find(path);
    entries.push_back(
        FileListEntry::Make(size, mask == attributes->end() ? 0 : mask->second, path));
  }
  return entries;
}

std::uint16_t PhoneStorage::Attributes(std::string_view phonePath) const {
  const std::optional<AttributeTable> table = ReadAttributeTable(root_);
  if (!table) return 0;
  const auto found = table->find(phonePath);
  return found == table->end() ? 0 : found->second;
}

bool PhoneStorage::SetAttributes(std::string_view phonePath, std::uint16_t attributes) {
  std::optional<AttributeTable> table = ReadAttributeTable(root_);
  if (!table) return false;
  (*table)[std::string(phonePath)] = attributes;
  return WriteAttributeTable(root_, *table);
}

void PhoneStorage::ForgetAttributes(std::string_view phonePath) {
  std::optional<AttributeTable> table = ReadAttributeTable(root_);
  if (!table || table->erase(std::string(phonePath)) == 0) return;
  WriteAttributeTable(root_, *table);
}

std::uint64_t PhoneStorage::UsedBytes(const std::string& folder) const {
  std::uint64_t used = 0;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(root_ / folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file(error) || it->is_symlink(error)) continue;
    const std::uintmax_t size = it->file_size(error);
    if (!error) used += FileCost(size);
  }
  return used;
}

bool PhoneStorage::ClaimIn(const std::string& folder, std::uint64_t bytes) {
  VolumeSpace& space = space_[folder];
  const auto fits = [&] {
    const std::uint64_t taken = *space.used + space.claimed;
    return taken <= volumeCapacity_ && bytes <= volumeCapacity_ - taken;
  };
  if (!space.used || !fits()) space.used = UsedBytes(folder);
  if (!fits()) return false;
  space.claimed += bytes;
  return true;
}

void PhoneStorage::ReleaseIn(const std::string& folder, std::uint64_t bytes) {
  VolumeSpace& space = space_[folder];
  space.claimed -= std::min(space.claimed, bytes);
}

void PhoneStorage::ResizedIn(const std::string& folder, std::uint64_t beforeCost,
                             std::uint64_t afterCost) {
  std::optional<std::uint64_t>& used = space_[folder].used;
  if (used) *used = *used + afterCost - std::min(beforeCost, *used + afterCost);
}

bool PhoneStorage::Claim(char volume, std::uint64_t bytes) {
  return ClaimIn(std::string(1, volume), bytes);
}

void PhoneStorage::Release(char volume, std::uint64_t bytes) {
  ReleaseIn(std::string(1, volume), bytes);
}

void PhoneStorage::Resized(char volume, std::optional<std::uint64_t> before,
                           std::optional<std::uint64_t> after) {
  ResizedIn(std::string(1, volume), FileCost(before), FileCost(after));
}

bool PhoneStorage::CreateEmptyFile(char volume, const std::filesystem::path& local) {
  if (!Claim(volume, FileCost(0))) return false;
  const bool created = ReplaceStorageFile(local, {});
  Release(volume, FileCost(0));
  if (created) Resized(volume, std::nullopt, 0);
  return created;
}

std::optional<std::filesystem::path> PhoneStorage::DraftFolder() const {
  std::filesystem::path folder = root_ / kDraftFolder;
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  if (!LiesWithin(root_, folder) || !std::filesystem::is_directory(folder, error))
    return std::nullopt;
  return folder;
}

void PhoneStorage::ClearDrafts() const {
  std::error_code error;
  std::filesystem::remove_all(root_ / kDraftFolder, error);
}

std::optional<Bytes> PhoneStorage::ReadSeem(std::uint16_t seem, std::uint16_t record) const {
  const std::optional<std::filesystem::path> file = SeemFile(root_, seem, record);
  if (!file) return std::nullopt;
  const Result<std::string> contents = ReadWholeFile(*file);
  if (!contents) return std::nullopt;
  return Bytes(contents->begin(), contents->end());
}

bool PhoneStorage::WriteSeem(std::uint16_t seem, std::uint16_t record, ByteView data) {
  const std::optional<std::filesystem::path> file = SeemFile(root_, seem, record);
  if (!file) return false;
  std::error_code error;
  std::filesystem::create_directories(file->parent_path(), error);
  const std::uintmax_t oldSize = std::filesystem::file_size(*file, error);
  const std::uint64_t before =
      FileCost(error ? std::nullopt : std::optional<std::uint64_t>(oldSize));
  const std::uint64_t after = FileCost(data.size());
  const std::uint64_t growth = after - std::min(before, after);
  if (growth > 0 && !ClaimIn(kSeemFolder, growth)) return false;
  const bool written = ReplaceStorageFile(*file, data);
  ReleaseIn(kSeemFolder, growth);
  if (written) ResizedIn(kSeemFolder, before, after);
  return written;
}

}  // namespace menuforge

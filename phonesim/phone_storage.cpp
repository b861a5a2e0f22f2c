#include "phonesim/phone_storage.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "menu/local_file.h"
#include "phonesim/phone_path.h"
#include "phonesim/storage_file.h"

namespace menuforge {
namespace {

using AttributeTable = std::map<std::string, std::uint16_t, std::less<>>;

std::filesystem::path SeemFile(const std::filesystem::path& root, std::uint16_t seem,
                               std::uint16_t record) {
  auto hex4 = [](std::uint16_t value) {
    return ByteToHex(static_cast<std::uint8_t>(value >> 8)) +
           ByteToHex(static_cast<std::uint8_t>(value & 0xFF));
  };
  return root / kSeemFolder / (hex4(seem) + "_" + hex4(record) + ".seem");
}

// One "mask path" line per file that carries attributes.
AttributeTable ReadAttributeTable(const std::filesystem::path& file) {
  AttributeTable table;
  std::string text;
  if (!ReadWholeFile(file, text).empty()) return table;
  for (const std::string& line : SplitLines(text)) {
    const std::size_t blank = line.find(' ');
    unsigned mask = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + blank, mask);
    if (blank == std::string::npos || error != std::errc() || end != line.data() + blank) continue;
    table[line.substr(blank + 1)] = static_cast<std::uint16_t>(mask);
  }
  return table;
}

bool WriteAttributeTable(const std::filesystem::path& file, const AttributeTable& table) {
  std::string text;
  for (const auto& [path, mask] : table)
    if (mask != 0) text += std::to_string(mask) + " " + path + "\r\n";
  return ReplaceStorageFile(
      file, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace

PhoneStorage::PhoneStorage(std::filesystem::path root) : root_(std::move(root)) {}

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

  const AttributeTable attributes = ReadAttributeTable(root_ / kAttributeTableFile);
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
    const auto mask = attributes.find(path);
    entries.push_back(FileListEntry::Make(size, mask == attributes.end() ? 0 : mask->second, path));
  }
  return entries;
}

std::uint16_t PhoneStorage::Attributes(std::string_view phonePath) const {
  const AttributeTable table = ReadAttributeTable(root_ / kAttributeTableFile);
  const auto found = table.find(phonePath);
  return found == table.end() ? 0 : found->second;
}

bool PhoneStorage::SetAttributes(std::string_view phonePath, std::uint16_t attributes) {
  AttributeTable table = ReadAttributeTable(root_ / kAttributeTableFile);
  table[std::string(phonePath)] = attributes;
  return WriteAttributeTable(root_ / kAttributeTableFile, table);
}

void PhoneStorage::ForgetAttributes(std::string_view phonePath) {
  AttributeTable table = ReadAttributeTable(root_ / kAttributeTableFile);
  const auto found = table.find(phonePath);
  if (found == table.end()) return;
  table.erase(found);
  WriteAttributeTable(root_ / kAttributeTableFile, table);
}

std::optional<Bytes> PhoneStorage::ReadSeem(std::uint16_t seem, std::uint16_t record) const {
  std::string contents;
  if (!ReadWholeFile(SeemFile(root_, seem, record), contents).empty()) return std::nullopt;
  return Bytes(contents.begin(), contents.end());
}

bool PhoneStorage::WriteSeem(std::uint16_t seem, std::uint16_t record, ByteView data) {
  std::error_code error;
  std::filesystem::create_directories(root_ / kSeemFolder, error);
  return ReplaceStorageFile(SeemFile(root_, seem, record), data);
}

}  // namespace menuforge

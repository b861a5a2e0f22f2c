#include "phone/file_list_entry.h"

#include <algorithm>
#include <cstring>

namespace menuforge {
namespace {

constexpr std::size_t kSizeOffset = 0;
constexpr std::size_t kAttributesOffset = 6;

}  // namespace

FileListEntry FileListEntry::Make(std::uint32_t size, std::uint16_t attributes,
                                  std::string_view path) {
  FileListEntry entry;
  std::memcpy(entry.bytes.data() + kSizeOffset, &size, sizeof size);
  entry.SetAttributes(attributes);
  const std::size_t length = std::min(path.size(), kMaxPhonePathLength);
  std::copy_n(path.begin(), length, entry.bytes.begin() + kFileListPathOffset);
  return entry;
}

std::uint32_t FileListEntry::size() const {
  std::uint32_t size = 0;
  std::memcpy(&size, bytes.data() + kSizeOffset, sizeof size);
  return size;
}

std::uint16_t FileListEntry::attributes() const {
  std::uint16_t attributes = 0;
  std::memcpy(&attributes, bytes.data() + kAttributesOffset, sizeof attributes);
  return attributes;
}

void FileListEntry::SetAttributes(std::uint16_t attributes) {
  std::memcpy(bytes.data() + kAttributesOffset, &attributes, sizeof attributes);
}

std::string FileListEntry::path() const {
  const auto begin = bytes.begin() + kFileListPathOffset;
  // The last byte is never part of the path, so a path always ends inside the entry.
  const auto end = std::find(begin, bytes.end() - 1, std::uint8_t{0});
  return std::string(begin, end);
}

std::string AttributeText(std::uint16_t attributes) {
  std::string text = "[";
  if (attributes & kAttributeReadOnly) text += 'R';
  if (attributes & kAttributeHidden) text += 'H';
  if (attributes & kAttributeSystem) text += 'S';
  return text + "]";
}

}  // namespace menuforge

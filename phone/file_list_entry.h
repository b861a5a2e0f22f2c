// One entry of the phone's file list: 512 bytes, laid out as the phone library fills them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace menuforge {

inline constexpr std::size_t kFileListEntrySize = 512;
inline constexpr std::size_t kFileListPathOffset = 8;
// The path field keeps room for its zero terminator.
inline constexpr std::size_t kMaxPhonePathLength = kFileListEntrySize - kFileListPathOffset - 1;

enum FileAttribute : std::uint16_t {
  kAttributeReadOnly = 1,
  kAttributeHidden = 2,
  kAttributeSystem = 4,
};

struct FileListEntry {
  std::array<std::uint8_t, kFileListEntrySize> bytes{};

  // A path longer than kMaxPhonePathLength is cut there.
  static FileListEntry Make(std::uint32_t size, std::uint16_t attributes, std::string_view path);

  std::uint32_t size() const;  // host byte order
  std::uint16_t attributes() const;
  void SetAttributes(std::uint16_t attributes);
  std::string path() const;  // up to the first zero byte
};

// "[" + "R", "H", "S" for the bits that are set + "]".
std::string AttributeText(std::uint16_t attributes);

}  // namespace menuforge

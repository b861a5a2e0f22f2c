// Byte buffers, their hexadecimal form, and big-endian numbers read from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace menuforge {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

char HexDigit(std::uint8_t value);
std::string ByteToHex(std::uint8_t value);
std::string BytesToHex(ByteView bytes);

// The unsigned big-endian number in the `count` bytes at `at` (at most eight). The caller has
// checked that they lie inside the buffer.
constexpr std::uint64_t ReadBigEndian(const std::uint8_t* at, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value = value << 8 | at[i];
  return value;
}
constexpr std::uint16_t ReadU16Be(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(ReadBigEndian(at, 2));
}
constexpr std::uint32_t ReadU32Be(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(ReadBigEndian(at, 4));
}

}  // namespace menuforge

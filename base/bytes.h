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

// The big-endian numbers that start at `at`; the caller has checked that they lie inside `bytes`.
inline std::uint16_t ReadU16Be(ByteView bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}
inline std::uint32_t ReadU32Be(ByteView bytes, std::size_t at) {
  return std::uint32_t{ReadU16Be(bytes, at)} << 16 | ReadU16Be(bytes, at + 2);
}

}  // namespace menuforge

#include "base/bytes.h"

namespace menuforge {

char HexDigit(std::uint8_t value) {
  value &= 0x0F;
  return static_cast<char>(value < 10 ? '0' + value : 'A' + value - 10);
}

std::string ByteToHex(std::uint8_t value) { return {HexDigit(value >> 4), HexDigit(value)}; }

std::string BytesToHex(ByteView bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) hex += ' ';
    hex += ByteToHex(bytes[i]);
  }
  return hex;
}

}  // namespace menuforge

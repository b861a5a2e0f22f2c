// Reading the phone's identity from its SEEM records and version answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_encoding.h"

namespace menuforge {

inline constexpr std::size_t kImeiDigits = 14;

// The low byte of each 16-bit big-endian character, up to the first character 0x0000.
std::string ModelNameFromSeem(ByteView record);
// The fourteen digits packed in nibbles from byte 1 to byte 8, then the check digit.
std::string ImeiFromSeem(ByteView record);
// Luhn check digit of fourteen digits.
char ImeiCheckDigit(std::string_view digits);

// Byte 0 minus 4 characters from byte 5; empty when that is 0 or less. Never reads past
// `received` bytes.
std::string FirmwareVersionFromResponse(ByteView response, std::uint32_t received);
// Byte 1 × 256 + byte 2; 0 when fewer bytes came.
std::uint16_t LpVersionFromResponse(ByteView response, std::uint32_t received);
// Four upper-case hexadecimal digits, high byte first.
std::string LpVersionText(std::uint16_t version);

// The firmware version up to its first "_", or empty when it has none.
std::string ProfileNameFromFirmware(std::string_view firmwareVersion);

}  // namespace menuforge

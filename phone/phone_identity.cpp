#include "phone/phone_identity.h"

#include <algorithm>

namespace menuforge {
namespace {

constexpr std::size_t kImeiBytes = 9;
constexpr std::size_t kFirmwareLengthBias = 4;
constexpr std::size_t kFirmwareTextOffset = 5;

char Digit(std::uint8_t nibble) { return static_cast<char>('0' + nibble); }

}  // namespace

std::string ModelNameFromSeem(ByteView record) {
  std::string name;
  for (std::size_t i = 0; i + 1 < record.size(); i += 2) {
    if (record[i] == 0 && record[i + 1] == 0) break;
    name += static_cast<char>(record[i + 1]);
  }
  return name;
}

std::string ImeiFromSeem(ByteView record) {
  std::uint8_t b[kImeiBytes] = {};
  std::copy_n(record.begin(), std::min(record.size(), kImeiBytes), b);
  std::string digits;
  digits += Digit(b[1] >> 4);
  for (std::size_t i = 2; i <= 7; ++i) {
    digits += Digit(b[i] & 0x0F);
    digits += Digit(b[i] >> 4);
  }
  digits += Digit(b[8] & 0x0F);
  return digits + ImeiCheckDigit(digits);
}

char ImeiCheckDigit(std::string_view digits) {
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    int addend = digits[i] - '0';
    if (i % 2 == 1) addend *= 2;
    if (addend > 9) addend -= 9;
    sum += addend;
  }
  return Digit(static_cast<std::uint8_t>((10 - sum % 10) % 10));
}

std::string FirmwareVersionFromResponse(ByteView response, std::uint32_t received) {
  const std::size_t available = std::min<std::size_t>(received, response.size());
  if (available == 0 || response[0] <= kFirmwareLengthBias) return {};
  const std::size_t length = response[0] - kFirmwareLengthBias;
  if (available <= kFirmwareTextOffset) return {};
  const std::size_t taken = std::min(length, available - kFirmwareTextOffset);
  return std::string(response.begin() + kFirmwareTextOffset,
                     response.begin() + kFirmwareTextOffset + taken);
}

std::uint16_t LpVersionFromResponse(ByteView response, std::uint32_t received) {
  if (std::min<std::size_t>(received, response.size()) < 3) return 0;
  return static_cast<std::uint16_t>(response[1] * 256 + response[2]);
}

std::string LpVersionText(std::uint16_t version) {
  return ByteToHex(static_cast<std::uint8_t>(version >> 8)) +
         ByteToHex(static_cast<std::uint8_t>(version & 0xFF));
}

std::string ProfileNameFromFirmware(std::string_view firmwareVersion) {
  const std::size_t underscore = firmwareVersion.find('_');
  if (underscore == std::string_view::npos) return {};
  return std::string(firmwareVersion.substr(0, underscore));
}

}  // namespace menuforge

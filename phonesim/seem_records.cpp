#include "phonesim/seem_records.h"

#include <algorithm>

#include "phone/p2k_library.h"
#include "phone/phone_identity.h"

namespace menuforge {
namespace {

constexpr std::size_t kModelRecordSize = 64;
constexpr std::size_t kMenuFlagsRecordSize = 32;
constexpr std::uint8_t kImeiLengthByte = 0x08;
constexpr std::uint8_t kImeiFirstNibble = 0x0A;

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::uint8_t Nibble(char digit) { return static_cast<std::uint8_t>(digit - '0'); }

}  // namespace

Bytes ModelNameRecord(std::string_view model) {
  Bytes record;
  for (const char c : model.substr(0, kModelRecordSize / 2 - 1)) {
    record.push_back(0);
    record.push_back(static_cast<std::uint8_t>(c));
  }
  record.resize(kModelRecordSize, 0);
  return record;
}

Bytes ImeiRecord(std::string_view digits) {
  if (!AllDigits(digits)) return {};
  if (digits.size() == kImeiDigits + 1 &&
      ImeiCheckDigit(digits.substr(0, kImeiDigits)) == digits.back())
    digits.remove_suffix(1);
  if (digits.size() != kImeiDigits) return {};
  Bytes record{kImeiLengthByte,
               static_cast<std::uint8_t>(Nibble(digits[0]) << 4 | kImeiFirstNibble)};
  for (std::size_t i = 1; i + 1 < kImeiDigits; i += 2)
    record.push_back(static_cast<std::uint8_t>(Nibble(digits[i + 1]) << 4 | Nibble(digits[i])));
  record.push_back(Nibble(digits[kImeiDigits - 1]));
  return record;
}

std::string PrepareSeemRecords(PhoneStorage& storage, const std::optional<std::string>& model,
                               const std::optional<std::string>& imei) {
  auto write = [&](std::uint16_t seem, const Bytes& record, bool given) {
    if (!given && storage.ReadSeem(seem, kSeemRecordOne)) return true;
    return storage.WriteSeem(seem, kSeemRecordOne, record);
  };
  const Bytes imeiRecord = ImeiRecord(imei.value_or(kDefaultImei));
  if (imeiRecord.empty()) return "An IMEI is 14 digits, or 15 ending with their check digit";
  Bytes flags(kMenuFlagsRecordSize, 0);
  for (std::size_t i = 0; i < flags.size(); ++i) flags[i] = static_cast<std::uint8_t>(i * 7 + 1);
  if (!write(kSeemModelName, ModelNameRecord(model.value_or(kDefaultModelName)),
             model.has_value()) ||
      !write(kSeemImei, imeiRecord, imei.has_value()) || !write(kSeemMenuFlags, flags, false))
    return "Cannot write the SEEM records in " + (storage.root() / kSeemFolder).string();
  return {};
}

}  // namespace menuforge

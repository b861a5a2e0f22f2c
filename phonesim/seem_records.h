// The SEEM records a phone keeps its identity in, as the simulated phone writes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text_encoding.h"
#include "phonesim/phone_storage.h"

namespace menuforge {

inline constexpr char kDefaultModelName[] = "Menuforge Phone";
inline constexpr char kDefaultImei[] = "35467801234567";

// The name as 16-bit big-endian characters, zero-padded to 64 bytes.
Bytes ModelNameRecord(std::string_view model);
// Fourteen digits packed as the phone packs them; empty for anything but fourteen digits, or
// fifteen whose last is their check digit.
Bytes ImeiRecord(std::string_view digits);

// Writes the model and IMEI given, and the default model, IMEI and SEEM 0032 record 1 where the
// storage has none. Returns the error text, or empty.
[[nodiscard]] std::string PrepareSeemRecords(PhoneStorage& storage,
                                             const std::optional<std::string>& model,
                                             const std::optional<std::string>& imei);

}  // namespace menuforge

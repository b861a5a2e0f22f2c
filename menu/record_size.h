// The two record sizes of the mma_ucp format, and the one check every outside form of a size
// (profile, command line, JSON) goes through.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace menuforge {

// The older format's 22-byte records and the newer format's 36-byte records.
enum class RecordSize : std::uint8_t { k22 = 22, k36 = 36 };
inline constexpr std::array<RecordSize, 2> kRecordSizes = {RecordSize::k22, RecordSize::k36};

// What is said of a record size that is neither.
inline constexpr char kInvalidRecordLengthText[] = "Invalid mma record length";

constexpr int RecordBytes(RecordSize size) { return static_cast<int>(size); }

// Nothing for a number other than 22 and 36.
std::optional<RecordSize> RecordSizeOf(std::uint64_t bytes);
// "22" or "36" and nothing else.
std::optional<RecordSize> ParseRecordSize(std::string_view text);
// "22-byte", as the controls name a size.
std::string RecordSizeLabel(RecordSize size);

}  // namespace menuforge

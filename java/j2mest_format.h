// J2MEST, the phone's table of installed Java applications: a leading block of S mod 31 bytes
// and 31 records of S div 31 bytes each. The record size alone says where a record keeps the
// MIDlet's name, vendor, launch text and flags; nothing in the file gives a count or an offset.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"

namespace menuforge {

inline constexpr char kUnsupportedJ2mestText[] = "Unsupported J2MEST format";

inline constexpr std::size_t kJ2mestRecordCount = 31;
// The last record is never read.
inline constexpr std::size_t kMidletSlots = 30;
// What the patcher writes over a launch text: the name and zero bytes.
inline constexpr std::size_t kLaunchTextFieldSize = 33;

struct MidletEntry {
  std::string name;  // 8-bit texts, as the table holds them
  std::string vendor;
  std::string launchText;  // shown as "MIDlet-1"
  bool corelet = false;
  bool operator==(const MidletEntry&) const = default;
};

// One slot per record number; an empty slot for a record that holds no entry.
using MidletTable = std::array<std::optional<MidletEntry>, kMidletSlots>;

// A launch text with wrong CORELET info, and where it starts in the file.
struct PatchTarget {
  std::uint8_t record = 0;
  std::uint16_t offset = 0;
  bool operator==(const PatchTarget&) const = default;
};

struct J2mestLayout {
  std::size_t recordSize;
  std::size_t name;
  std::size_t vendor;
  std::size_t launchText;
  std::size_t flags;
  // Bit 0 of record byte 0 is the CORELET flag; without it the flag is always clear.
  bool coreletFlag;
};

struct ParsedJ2mest {
  J2mestLayout layout{};  // of the first record; the 1104-byte variant may move later ones
  std::size_t leadingSize = 0;
  MidletTable midlets;
  std::vector<PatchTarget> patches;
};

// The layout of a file of `fileSize` bytes, or nothing when the record size fits none.
std::optional<J2mestLayout> J2mestLayoutFor(std::size_t fileSize);
// The largest file any layout fits.
std::size_t LargestJ2mestSize();

// Nothing when the file's size fits no layout.
std::optional<ParsedJ2mest> ParseJ2mestBytes(ByteView file);

// Writes `name` over the 33-byte launch text field at `offset`: its bytes, cut to 32 so that a
// terminator always follows, then zero bytes to the end of the field. False, with nothing
// written, when the field does not lie wholly inside `file`.
[[nodiscard]] bool WriteLaunchTextField(Bytes& file, std::size_t offset, std::string_view name);

}  // namespace menuforge

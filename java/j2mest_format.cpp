#include "java/j2mest_format.h"

#include <algorithm>

namespace menuforge {
namespace {

constexpr std::array<J2mestLayout, 6> kLayouts = {{
    {652, 4, 37, 100, 0, false},
    {660, 4, 37, 108, 0, false},
    {708, 6, 39, 152, 1, true},
    {712, 4, 37, 156, 0, false},
    {1104, 6, 39, 152, 1, true},
    {1112, 6, 39, 156, 1, true},
}};

// Some 1104-byte tables mark their records with four 0xFF bytes at the end; those keep the
// launch text four bytes further on.
constexpr std::size_t kVariantRecordSize = 1104;
constexpr std::size_t kVariantMarkStart = 1100;
constexpr std::size_t kVariantLaunchText = 156;

constexpr std::uint8_t kEntryBit = 0x01;
constexpr std::uint8_t kCoreletBit = 0x01;
constexpr std::size_t kCoreletByte = 0;

// Bytes from `start` up to the first zero byte, at most up to `end`.
std::string TextBetween(ByteView record, std::size_t start, std::size_t end) {
  const ByteView field = record.subspan(start, end - start);
  const auto zero = std::find(field.begin(), field.end(), 0);
  return std::string(field.begin(), zero);
}

bool HoldsEntry(ByteView record, const J2mestLayout& layout) {
  return record[layout.name] != 0 && (record[layout.flags] & kEntryBit) != 0;
}

bool HasVariantMark(ByteView record) {
  const ByteView mark = record.subspan(kVariantMarkStart, record.size() - kVariantMarkStart);
  return std::all_of(mark.begin(), mark.end(), [](std::uint8_t byte) { return byte == 0xFF; });
}

// A digit, ":" and a blank, as in "3: ": the phone will not start such a MIDlet from the menu.
bool HasWrongCoreletInfo(std::string_view launchText) {
  return launchText.size() >= 3 && launchText[0] >= '0' && launchText[0] <= '9' &&
         launchText[1] == ':' && launchText[2] == ' ';
}

MidletEntry EntryOf(ByteView record, const J2mestLayout& layout) {
  return {TextBetween(record, layout.name, layout.vendor),
          TextBetween(record, layout.vendor, layout.launchText),
          TextBetween(record, layout.launchText, record.size()),
          layout.coreletFlag && (record[kCoreletByte] & kCoreletBit) != 0};
}

}  // namespace

std::optional<J2mestLayout> J2mestLayoutFor(std::size_t fileSize) {
  const std::size_t recordSize = fileSize / kJ2mestRecordCount;
  for (const J2mestLayout& layout : kLayouts)
    if (layout.recordSize == recordSize) return layout;
  return std::nullopt;
}

std::size_t LargestJ2mestSize() {
  return kLayouts.back().recordSize * kJ2mestRecordCount + kJ2mestRecordCount - 1;
}

std::optional<ParsedJ2mest> ParseJ2mestBytes(ByteView file) {
  const std::optional<J2mestLayout> found = J2mestLayoutFor(file.size());
  if (!found) return std::nullopt;
  ParsedJ2mest parsed;
  parsed.layout = *found;
  parsed.leadingSize = file.size() % kJ2mestRecordCount;
  J2mestLayout layout = *found;
  bool firstEntry = true;
  for (std::size_t i = 0; i < kMidletSlots; ++i) {
    const std::size_t start = parsed.leadingSize + i * layout.recordSize;
    const ByteView record = file.subspan(start, layout.recordSize);
    if (!HoldsEntry(record, layout)) continue;
    if (firstEntry && layout.recordSize == kVariantRecordSize && HasVariantMark(record))
      layout.launchText = kVariantLaunchText;
    firstEntry = false;
    MidletEntry entry = EntryOf(record, layout);
    if (entry.corelet && HasWrongCoreletInfo(entry.launchText))
      parsed.patches.push_back(
          {static_cast<std::uint8_t>(i), static_cast<std::uint16_t>(start + layout.launchText)});
    parsed.midlets[i] = std::move(entry);
  }
  return parsed;
}

bool WriteLaunchTextField(Bytes& file, std::size_t offset, std::string_view name) {
  if (offset > file.size() || file.size() - offset < kLaunchTextFieldSize) return false;
  const std::size_t kept = std::min(name.size(), kLaunchTextFieldSize - 1);
  const auto field = file.begin() + static_cast<std::ptrdiff_t>(offset);
  std::copy_n(name.begin(), kept, field);
  std::fill(field + static_cast<std::ptrdiff_t>(kept),
            field + static_cast<std::ptrdiff_t>(kLaunchTextFieldSize), 0);
  return true;
}

}  // namespace menuforge

#include "phonesim/demo_firmware.h"

#include <array>
#include <cstdlib>

#include "base/local_file.h"
#include "catalog/item_base_file.h"
#include "pictures/drm_image.h"

namespace menuforge {
namespace {

// Bytes that hold none of the patterns the scan looks for.
constexpr std::uint8_t kFiller = 0x11;
constexpr std::size_t kVersionAt = 64;
constexpr std::size_t kItemTableAt = 512;
constexpr std::size_t kItemEntrySize = 36;
constexpr std::size_t kShortcutEntrySize = 52;
// Filler between the two tables, so that the entry before the first shortcut is none.
constexpr std::size_t kTableGap = 64;
// From the end of the last shortcut entry to the end of the marker.
constexpr std::size_t kMarkerGap = 10;
constexpr std::string_view kTableEndMarker{"\0\xFF\xFF\xFF\xFF\xFF\xFF", 7};

// The DRM binary's addresses: a base the firmware loads it at, and where its tables lie.
constexpr std::uint32_t kDrmBase = 0x10000000;
constexpr std::uint32_t kBaseLowBits = 0x5A;  // the base address word's low byte is not part of it
constexpr std::size_t kDrmHeaderSize = 64;
constexpr std::size_t kDrmTableAt = 64;
constexpr std::size_t kDrmOffsetsAt = 128;
constexpr std::size_t kRecordSize = 16;
constexpr std::uint16_t kMenuIconSide = 44;
constexpr std::uint16_t kListIconSide = 16;

void Put(Bytes& bytes, std::size_t at, std::string_view text) {
  if (bytes.size() < at + text.size()) bytes.resize(at + text.size(), kFiller);
  std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 4) bytes.resize(at + 4, 0);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<std::uint8_t>(value);
}

std::string Entry(std::string_view name, std::size_t size) {
  std::string entry(name);
  entry.resize(size, '\0');
  return entry;
}

// The icon's shapes, each filling the square of side `n` in part; outside it is transparent.
bool Inside(std::size_t shape, int x, int y, int n) {
  const int cx = 2 * x + 1 - n, cy = 2 * y + 1 - n;  // doubled distances from the centre
  const int r = n - 2;
  switch (shape) {
    case 0: return cx * cx + cy * cy <= r * r;                                    // disc
    case 1: return cx * cx + cy * cy <= r * r && cx * cx + cy * cy >= r * r / 3;  // ring
    case 2: return std::abs(cx) + std::abs(cy) <= r;                              // diamond
    case 3: return std::abs(cx) <= r / 3 || std::abs(cy) <= r / 3;                // plus
    case 4: return std::abs(cx) <= y + 1;                                         // triangle
    default: return (x / (n / 4 + 1) + y / (n / 4 + 1)) % 2 == 0;                 // checkers
  }
}

constexpr std::array<std::uint16_t, 6> kColours565 = {0xF800, 0x07E0, 0x001F,
                                                      0xFD20, 0x781F, 0x07FF};

// Pixels big-endian 5-6-5, shaded towards the bottom, then the mask: a set bit is transparent.
Bytes DemoIcon(std::size_t number, std::uint16_t side) {
  const std::size_t shape = number % 6;
  const std::uint16_t colour = kColours565[(number / 6) % kColours565.size()];
  Bytes icon(DrmImageLength(side, side), 0);
  const std::size_t maskAt = std::size_t{side} * side * 2;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const std::size_t pixel = static_cast<std::size_t>(y) * side + static_cast<std::size_t>(x);
      const bool darker = y > side / 2;
      PutU16(icon, 2 * pixel, darker ? static_cast<std::uint16_t>((colour >> 1) & 0x7BEF) : colour);
      if (!Inside(shape, x, y, side))
        icon[maskAt + pixel / 8] |= static_cast<std::uint8_t>(0x80 >> (pixel % 8));
    }
  return icon;
}

}  // namespace

Bytes DemoFirmwareImage(std::string_view version) {
  Bytes image(kItemTableAt, kFiller);
  Put(image, kVersionAt, "@(#)" + std::string(version) + std::string(1, '\0'));
  std::size_t at = kItemTableAt;
  for (const ItemBaseEntry& item : BuiltInItemBase()) {
    if (item.IsShortcut()) continue;
    Put(image, at, Entry(item.identifier, kItemEntrySize));
    at += kItemEntrySize;
  }
  at += kTableGap;
  for (const ItemBaseEntry& item : BuiltInItemBase()) {
    if (!item.IsShortcut()) continue;
    Put(image, at, Entry(item.identifier, kShortcutEntrySize));
    at += kShortcutEntrySize;
  }
  Put(image, at + kMarkerGap - kTableEndMarker.size(), kTableEndMarker);
  image.resize(image.size() + 256, kFiller);
  return image;
}

Bytes DemoDrmBinary() {
  const std::size_t icons = kDemoMenuIcons + kDemoListIcons;
  // No stored GIF files: one file offset, so every number names a raw icon.
  const std::size_t recordsAt = kDrmOffsetsAt + 4;
  const std::size_t recordCount = icons + 1;  // an end record closes the last icon's data
  const std::size_t dataAt = recordsAt + kRecordSize * recordCount;

  Bytes bytes(kDrmHeaderSize, 0);
  PutU32(bytes, 8, kDrmBase | kBaseLowBits);
  bytes[31] = 1;  // layout B: raw images first
  PutU32(bytes, 48, kDrmBase + kDrmTableAt);
  PutU32(bytes, 56, kDrmBase + static_cast<std::uint32_t>(dataAt));
  bytes.resize(dataAt, 0);

  std::vector<std::size_t> starts;
  std::vector<std::uint16_t> sides;
  for (std::size_t i = 0; i < icons; ++i) {
    sides.push_back(i < kDemoMenuIcons ? kMenuIconSide : kListIconSide);
    starts.push_back(bytes.size());
    const Bytes icon = DemoIcon(i, sides.back());
    bytes.insert(bytes.end(), icon.begin(), icon.end());
    bytes.resize((bytes.size() + 1) / 2 * 2, 0);  // each icon at an even offset
  }
  starts.push_back(bytes.size());
  const std::size_t filesAt = bytes.size();

  PutU32(bytes, kDrmTableAt + 4 * 1, kDrmBase + static_cast<std::uint32_t>(recordsAt));
  PutU32(bytes, kDrmTableAt + 4 * 4, kDrmBase + static_cast<std::uint32_t>(filesAt));
  PutU32(bytes, kDrmTableAt + 4 * 5, kDrmBase + kDrmOffsetsAt - 4);
  PutU32(bytes, kDrmTableAt + 4 * 12, kDrmBase + static_cast<std::uint32_t>(recordsAt) - 16);
  PutU32(bytes, kDrmTableAt + 4 * 13, kDrmBase);
  PutU32(bytes, kDrmOffsetsAt, 0);
  for (std::size_t j = 0; j < recordCount; ++j) {
    const std::size_t at = recordsAt + kRecordSize * j;
    if (j < icons) {
      PutU16(bytes, at, sides[j]);
      PutU16(bytes, at + 2, sides[j]);
    }
    // Pixel positions count 16-bit words.
    PutU32(bytes, at + 12, static_cast<std::uint32_t>(starts[j] / 2));
  }
  return bytes;
}

std::string WriteDemoFirmware(const std::filesystem::path& storage, std::string_view version) {
  const std::filesystem::path folder = storage / kDemoFirmwareFolder;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return FileError("create", folder, error.value());
  const std::array<std::pair<const char*, Bytes>, 2> files = {{
      {kDemoFirmwareImageName, DemoFirmwareImage(version)},
      {kDemoDrmBinaryName, DemoDrmBinary()},
  }};
  for (const auto& [name, bytes] : files) {
    if (std::filesystem::exists(folder / name, error)) continue;
    if (const Status written = WriteFileAtomically(folder / name, bytes); !written)
      return written.error().text;
  }
  return "";
}

}  // namespace menuforge

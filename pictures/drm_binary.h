// DRM binaries, the firmware files that hold the phone's icons: where their tables are, which
// entry each icon number names, and the bytes of one entry. The file is not trusted: every
// address is checked against the bytes there before it is used.
#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge {

// A: stored GIF files only. B: raw images first, then stored GIF files.
enum class DrmLayout { A, B };

struct DrmImageRecord {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  Rgb maskColour{};
  // A file offset, not yet checked against the file.
  std::uint32_t pixelOffset = 0;
};

enum class DrmEntryKind { Image, File };

// An entry whose bytes lie inside the file and are long enough for what they hold.
struct DrmImageEntry {
  PictureSize size;
  Rgb maskColour{};
  ByteView data;  // pixels and mask, DrmImageLength bytes
};
struct DrmFileEntry {
  ByteView gif;
};
using DrmEntry = std::variant<DrmImageEntry, DrmFileEntry>;

// Resource binaries run to a few megabytes; anything far larger is refused by its size before it
// is read.
inline constexpr std::size_t kLargestDrmBinary = 64 * 1024 * 1024;
inline constexpr char kDrmBinaryKind[] = "a DRM binary";

class DrmBinary {
 public:
  // Never fails: tables that do not fit the file are left empty, so that the binary offers
  // fewer entries or none.
  static DrmBinary Parse(Bytes bytes);

  DrmLayout layout() const { return layout_; }
  std::uint32_t baseAddress() const { return base_; }
  const std::vector<DrmImageRecord>& imageRecords() const { return records_; }
  // File offsets, not yet checked against the file.
  const std::vector<std::uint32_t>& fileOffsets() const { return offsets_; }

  // T: N in layout A, (M - 1) + N in layout B (never below 0).
  std::size_t entryCount() const;
  // Entries are offered as the numbers 1 to entryCount() - 1; number k names index k - 1.
  std::size_t highestNumber() const;

  // Below M in layout B an image, else a file.
  DrmEntryKind KindOf(std::size_t index) const;
  // Nothing for an index not offered, an empty or reversed span, a span outside the file, an
  // image of zero width or height, too short for its pixels and mask, or too large to convert.
  std::optional<DrmEntry> Entry(std::size_t index) const;

 private:
  std::optional<DrmEntry> ImageEntry(std::size_t j) const;
  std::optional<DrmEntry> FileEntry(std::size_t j) const;
  ByteView Span(std::uint32_t start, std::uint32_t end) const;

  Bytes bytes_;
  DrmLayout layout_ = DrmLayout::A;
  std::uint32_t base_ = 0;
  std::vector<DrmImageRecord> records_;
  std::vector<std::uint32_t> offsets_;
};

}  // namespace menuforge

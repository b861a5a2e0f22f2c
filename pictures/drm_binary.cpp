#include "pictures/drm_binary.h"

#include <array>

#include "pictures/drm_image.h"

namespace menuforge {
namespace {

// Addresses in the binary are 32-bit; an address minus the base address is a file offset, with
// the wrap-around of 32-bit arithmetic. Offsets are checked where they are used.
constexpr std::uint32_t kBaseAddressMask = 0xFFFFFF00;
// Binaries loaded at this base keep their table pointer where the others keep the base.
constexpr std::uint32_t kLowTableBase = 0x10D00000;
constexpr std::size_t kLayoutByte = 31;
constexpr std::size_t kTableWords = 16;
constexpr std::size_t kOffsetSize = 4;
constexpr std::size_t kRecordSize = 16;

struct HeaderPlaces {
  DrmLayout layout;
  std::size_t baseAddress;
  std::size_t tablePointer;
  std::size_t endPointer;  // layout B only
};

class BigEndian {
 public:
  explicit BigEndian(ByteView bytes) : bytes_(bytes) {}

  bool Holds(std::uint64_t offset, std::uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  std::optional<std::uint8_t> U8(std::uint64_t offset) const {
    if (!Holds(offset, 1)) return std::nullopt;
    return bytes_[offset];
  }
  std::optional<std::uint16_t> U16(std::uint64_t offset) const {
    if (!Holds(offset, 2)) return std::nullopt;
    return ReadU16Be(bytes_, offset);
  }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const {
    if (!Holds(offset, 4)) return std::nullopt;
    return ReadU32Be(bytes_, offset);
  }

 private:
  ByteView bytes_;
};

std::optional<HeaderPlaces> FindHeaderPlaces(const BigEndian& file) {
  const std::optional<std::uint32_t> first = file.U32(0);
  if (!first) return std::nullopt;
  if (*first != 0) return HeaderPlaces{DrmLayout::A, 0, 40, 0};
  const std::optional<std::uint8_t> layoutByte = file.U8(kLayoutByte);
  if (!layoutByte) return std::nullopt;
  if (*layoutByte == 0) return HeaderPlaces{DrmLayout::A, 8, 52, 0};
  return HeaderPlaces{DrmLayout::B, 8, 48, 56};
}

// The number of whole items of `itemSize` bytes from `start` to `end`, when they all lie in
// the file; none when the range runs backwards or past the end.
std::size_t CountInFile(const BigEndian& file, std::uint32_t start, std::uint32_t end,
                        std::size_t itemSize) {
  const std::size_t count = (end - start) / itemSize;
  return file.Holds(start, std::uint64_t{count} * itemSize) ? count : 0;
}

}  // namespace

DrmBinary DrmBinary::Parse(Bytes bytes) {
  DrmBinary binary;
  binary.bytes_ = std::move(bytes);
  const BigEndian file(binary.bytes_);

  std::optional<HeaderPlaces> places = FindHeaderPlaces(file);
  if (!places) return binary;
  const std::optional<std::uint32_t> baseWord = file.U32(places->baseAddress);
  if (!baseWord) return binary;
  const std::uint32_t base = *baseWord & kBaseAddressMask;
  if (places->layout == DrmLayout::B && base == kLowTableBase) {
    places->tablePointer = 40;
    places->endPointer = 48;
  }
  binary.layout_ = places->layout;
  binary.base_ = base;

  const std::optional<std::uint32_t> tablePointer = file.U32(places->tablePointer);
  if (!tablePointer) return binary;
  const std::uint32_t table = *tablePointer - base;
  std::array<std::uint32_t, kTableWords> w{};
  for (std::size_t i = 0; i < kTableWords; ++i) {
    const std::optional<std::uint32_t> word = file.U32(std::uint64_t{table} + 4 * i);
    if (!word) return binary;
    w[i] = *word;
  }

  const std::uint32_t offsetsStart = w[5] - base + 4;
  const std::uint32_t offsetsBase = w[4] - base;
  const std::size_t n = CountInFile(file, offsetsStart, w[1] - base, kOffsetSize);
  binary.offsets_.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    binary.offsets_.push_back(*file.U32(offsetsStart + kOffsetSize * i) + offsetsBase);

  if (binary.layout_ == DrmLayout::B) {
    const std::optional<std::uint32_t> endWord = file.U32(places->endPointer);
    if (!endWord) return binary;
    const std::uint32_t recordsStart = w[12] - base + 16;
    const std::uint32_t pixelsBase = w[13] - base;
    const std::size_t m = CountInFile(file, recordsStart, *endWord - base, kRecordSize);
    binary.records_.reserve(m);
    for (std::size_t j = 0; j < m; ++j) {
      const std::uint64_t at = recordsStart + std::uint64_t{kRecordSize} * j;
      DrmImageRecord record;
      record.width = *file.U16(at);
      record.height = *file.U16(at + 2);
      record.maskColour = {*file.U8(at + 8), *file.U8(at + 9), *file.U8(at + 10)};
      record.pixelOffset = *file.U32(at + 12) * 2 + pixelsBase;
      binary.records_.push_back(record);
    }
  }
  return binary;
}

std::size_t DrmBinary::entryCount() const {
  if (layout_ == DrmLayout::A) return offsets_.size();
  const std::size_t both = records_.size() + offsets_.size();
  return both == 0 ? 0 : both - 1;
}

std::size_t DrmBinary::highestNumber() const {
  const std::size_t count = entryCount();
  return count == 0 ? 0 : count - 1;
}

DrmEntryKind DrmBinary::KindOf(std::size_t index) const {
  return layout_ == DrmLayout::B && index < records_.size() ? DrmEntryKind::Image
                                                            : DrmEntryKind::File;
}

std::optional<DrmEntry> DrmBinary::Entry(std::size_t index) const {
  if (index >= highestNumber()) return std::nullopt;
  if (KindOf(index) == DrmEntryKind::Image) return ImageEntry(index);
  return FileEntry(layout_ == DrmLayout::A ? index : index - records_.size());
}

// The last record only ends the one before it.
std::optional<DrmEntry> DrmBinary::ImageEntry(std::size_t j) const {
  if (j + 1 >= records_.size()) return std::nullopt;
  const DrmImageRecord& record = records_[j];
  const ByteView span = Span(record.pixelOffset, records_[j + 1].pixelOffset);
  const PictureSize size{record.width, record.height};
  if (span.empty() || size.width == 0 || size.height == 0 || !FitsIndexBuffer(size) ||
      DrmImageLength(size.width, size.height) > span.size())
    return std::nullopt;
  return DrmImageEntry{size, record.maskColour,
                       span.first(DrmImageLength(size.width, size.height))};
}

std::optional<DrmEntry> DrmBinary::FileEntry(std::size_t j) const {
  if (j + 1 >= offsets_.size()) return std::nullopt;
  const ByteView span = Span(offsets_[j], offsets_[j + 1]);
  if (span.empty()) return std::nullopt;
  return DrmFileEntry{span};
}

ByteView DrmBinary::Span(std::uint32_t start, std::uint32_t end) const {
  if (end <= start || end > bytes_.size()) return {};
  return ByteView(bytes_).subspan(start, end - start);
}

}  // namespace menuforge

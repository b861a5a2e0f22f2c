#include "support/drm_binaries.h"

#include "pictures/drm_image.h"

namespace menuforge::test {
namespace {

constexpr std::size_t kHeaderSize = 64;
constexpr std::uint32_t kLowBits = 0x5A;  // the base address word's low byte is not part of it

void Pad(Bytes& bytes, std::size_t size) {
  if (bytes.size() < size) bytes.resize(size, 0);
}

}  // namespace

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  Pad(bytes, offset + 4);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

Bytes BuildDrmBinary(const SyntheticDrm& drm) {
  const std::uint32_t base = drm.base;
  const bool layoutB = drm.header == DrmHeader::B;
  const std::size_t offsetCount = drm.files.size() + 1;
  const std::size_t recordsAt = kSyntheticOffsetsAt + 4 * offsetCount;
  const std::size_t recordCount = layoutB ? drm.icons.size() + 1 : 0;
  const std::size_t dataAt = recordsAt + 16 * recordCount;

  Bytes bytes(kHeaderSize, 0);
  std::size_t tablePointerAt = 40;
  std::size_t endPointerAt = 0;
  if (drm.header == DrmHeader::A) {
    PutU32(bytes, 0, base | kLowBits);
  } else {
    PutU32(bytes, 8, base | kLowBits);
    bytes[31] = layoutB ? 1 : 0;
    tablePointerAt = layoutB ? (base == 0x10D00000 ? 40 : 48) : 52;
    endPointerAt = base == 0x10D00000 ? 48 : 56;
  }
  PutU32(bytes, tablePointerAt, base + kSyntheticTableAt);

  // Icon data first, each at an even offset; then the stored files.
  Pad(bytes, dataAt);
  std::vector<std::size_t> iconStarts;
  for (const RawIcon& icon : drm.icons) {
    iconStarts.push_back(bytes.size());
    bytes.insert(bytes.end(), icon.data.begin(), icon.data.end());
    Pad(bytes, (bytes.size() + 1) / 2 * 2);
  }
  iconStarts.push_back(bytes.size());
  const std::size_t filesAt = bytes.size();
  std::vector<std::size_t> fileStarts;
  for (const Bytes& file : drm.files) {
    fileStarts.push_back(bytes.size() - filesAt);
    bytes.insert(bytes.end(), file.begin(), file.end());
  }
  fileStarts.push_back(bytes.size() - filesAt);

  const std::size_t table = kSyntheticTableAt;
  PutU32(bytes, table + 4 * 1, base + static_cast<std::uint32_t>(recordsAt));
  PutU32(bytes, table + 4 * 4, base + static_cast<std::uint32_t>(filesAt));
  PutU32(bytes, table + 4 * 5, base + kSyntheticOffsetsAt - 4);
  for (std::size_t i = 0; i < offsetCount; ++i)
    PutU32(bytes, kSyntheticOffsetsAt + 4 * i, static_cast<std::uint32_t>(fileStarts[i]));

  if (layoutB) {
    PutU32(bytes, endPointerAt, base + static_cast<std::uint32_t>(dataAt));
    PutU32(bytes, table + 4 * 12, base + static_cast<std::uint32_t>(recordsAt) - 16);
    PutU32(bytes, table + 4 * 13, base);
    for (std::size_t j = 0; j < recordCount; ++j) {
      const std::size_t at = recordsAt + 16 * j;
      if (j < drm.icons.size()) {
        const RawIcon& icon = drm.icons[j];
        bytes[at] = static_cast<std::uint8_t>(icon.width >> 8);
        bytes[at + 1] = static_cast<std::uint8_t>(icon.width);
        bytes[at + 2] = static_cast<std::uint8_t>(icon.height >> 8);
        bytes[at + 3] = static_cast<std::uint8_t>(icon.height);
        bytes[at + 8] = icon.maskColour[0];
        bytes[at + 9] = icon.maskColour[1];
        bytes[at + 10] = icon.maskColour[2];
      }
      PutU32(bytes, at + 12, static_cast<std::uint32_t>(iconStarts[j] / 2));
    }
  }
  return bytes;
}

Bytes StoredGif(std::uint16_t width, std::uint16_t height, std::uint8_t filler) {
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
  for (std::uint16_t side : {width, height}) {
    gif.push_back(static_cast<std::uint8_t>(side));
    gif.push_back(static_cast<std::uint8_t>(side >> 8));
  }
  gif.push_back(filler);
  return gif;
}

RawIcon PlainIcon(std::uint16_t width, std::uint16_t height, std::uint16_t rgb565) {
  RawIcon icon{width, height, {0, 0, 0}, {}};
  const std::size_t pixels = std::size_t{width} * height;
  for (std::size_t i = 0; i < pixels; ++i) {
    icon.data.push_back(static_cast<std::uint8_t>(rgb565 >> 8));
    icon.data.push_back(static_cast<std::uint8_t>(rgb565));
  }
  icon.data.resize(DrmImageLength(width, height), 0);
  return icon;
}

}  // namespace menuforge::test

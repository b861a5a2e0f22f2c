// BMP files: the OS/2 and Windows headers up to version 5, palettes of 1, 4 and 8 bits, 16 and
// 32 bits with or without bit masks, and 24 bits. Every field is checked against the bytes
// present before it is used; compressed (RLE, JPEG, PNG) files are refused.
#include <bit>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "pictures/picture_decoding.h"

namespace menuforge {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
// Version 2 adds the three colour masks to the header, version 3 the alpha mask.
constexpr std::size_t kHeaderWithMasks = 52;
constexpr std::size_t kHeaderWithAlphaMask = 56;
constexpr std::size_t kLargestHeader = 124;
constexpr std::size_t kMaskSize = 4;

enum Compression : std::uint32_t { kRgb = 0, kBitFields = 3, kAlphaBitFields = 6 };

struct Mask {
  std::uint32_t bits = 0;
  int shift = 0;
  std::uint64_t largest = 0;

  explicit Mask(std::uint32_t mask) : bits(mask) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    largest = (std::uint64_t{1} << std::bit_width(mask >> shift)) - 1;
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    return static_cast<std::uint8_t>(std::uint64_t{(pixel & bits) >> shift} * 255 / largest);
  }
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows from the top
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t coloursUsed = 0;
  std::size_t paletteAt = 0;
  std::size_t paletteEntrySize = 4;
  std::uint32_t masks[4] = {};  // red, green, blue, alpha
};

class BmpReader {
 public:
  explicit BmpReader(ByteView bytes) : bytes_(bytes) {}

  PictureFault Decode(RgbaPicture& picture) {
    Layout layout;
    if (PictureFault fault = ReadHeader(layout); fault.failed()) return fault;
    if (PictureFault fault = CheckLayout(layout); fault.failed()) return fault;
    const PictureSize size{static_cast<std::uint32_t>(layout.width),
                           static_cast<std::uint32_t>(std::abs(layout.height))};
    if (layout.width > kLargestGifSide || std::abs(layout.height) > kLargestGifSide ||
        !FitsIndexBuffer(size))
      return {PictureFault::Kind::TooLarge, {}};
    if (PictureFault fault = ReadPalette(layout); fault.failed()) return fault;

    const std::uint64_t stride = (std::uint64_t{size.width} * layout.bitsPerPixel + 31) / 32 * 4;
    const std::uint64_t lastRow = (std::uint64_t{size.width} * layout.bitsPerPixel + 7) / 8;
    const std::uint64_t needed = stride * (size.height - 1) + lastRow;
    if (pixelsAt_ > bytes_.size() || bytes_.size() - pixelsAt_ < needed)
      return {PictureFault::Kind::EndsEarly, {}};

    RgbaPicture read;
    read.size = size;
    read.pixels.resize(std::size_t{size.width} * size.height);
    const bool topDown = layout.height < 0;
    for (std::uint32_t row = 0; row < size.height; ++row) {
      const std::uint32_t y = topDown ? row : size.height - 1 - row;
      const std::uint8_t* from = bytes_.data() + pixelsAt_ + row * stride;
      for (std::uint32_t x = 0; x < size.width; ++x)
        read.pixels[std::size_t{y} * size.width + x] = Pixel(layout, from, x);
    }
    if (!hasAlpha_ || AllTransparent(read))
      for (Colour& c : read.pixels) c.alpha = 0xFF;
    picture = std::move(read);
    return {};
  }

 private:
  bool Has(std::size_t at, std::size_t length) const {
    return at <= bytes_.size() && bytes_.size() - at >= length;
  }

  // A little-endian number of up to 4 bytes.
  std::optional<std::uint32_t> Le(std::size_t at, std::size_t length) const {
    if (!Has(at, length)) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = length; i-- > 0;) value = value << 8 | bytes_[at + i];
    return value;
  }

  PictureFault ReadHeader(Layout& layout) {
    const auto pixelsAt = Le(10, 4);
    const auto headerSize = Le(kFileHeaderSize, 4);
    if (!pixelsAt || !headerSize) return PictureFault::Damaged("it ends inside its header");
    pixelsAt_ = *pixelsAt;
    const std::size_t at = kFileHeaderSize;
    if (*headerSize == kCoreHeaderSize) {
      if (!Has(at, kCoreHeaderSize)) return PictureFault::Damaged("it ends inside its header");
      layout.width = *Le(at + 4, 2);
      layout.height = *Le(at + 6, 2);
      planes_ = static_cast<std::uint16_t>(*Le(at + 8, 2));
      layout.bitsPerPixel = static_cast<std::uint16_t>(*Le(at + 10, 2));
      layout.paletteAt = at + kCoreHeaderSize;
      layout.paletteEntrySize = 3;
      return {};
    }
    if (*headerSize < kInfoHeaderSize || *headerSize > kLargestHeader)
      return PictureFault::Damaged("its header is of an unknown kind");
    if (!Has(at, *headerSize)) return PictureFault::Damaged("it ends inside its header");
    layout.width = static_cast<std::int32_t>(*Le(at + 4, 4));
    layout.height = static_cast<std::int32_t>(*Le(at + 8, 4));
    planes_ = static_cast<std::uint16_t>(*Le(at + 12, 2));
    layout.bitsPerPixel = static_cast<std::uint16_t>(*Le(at + 14, 2));
    layout.compression = *Le(at + 16, 4);
    layout.coloursUsed = *Le(at + 32, 4);
    layout.paletteAt = at + *headerSize;
    // Masks inside a longer header, or after the short one when the compression names them.
    std::size_t masksAt = at + kInfoHeaderSize;
    std::size_t maskCount = 0;
    if (*headerSize >= kHeaderWithAlphaMask)
      maskCount = 4;
    else if (*headerSize >= kHeaderWithMasks)
      maskCount = 3;
    else if (layout.compression == kBitFields || layout.compression == kAlphaBitFields)
      maskCount = layout.compression == kBitFields ? 3 : 4;
    for (std::size_t i = 0; i < maskCount; ++i) {
      const auto mask = Le(masksAt + i * kMaskSize, kMaskSize);
      if (!mask) return PictureFault::Damaged("it ends inside its header");
      layout.masks[i] = *mask;
    }
    if (*headerSize < kHeaderWithMasks) layout.paletteAt += maskCount * kMaskSize;
    return {};
  }

  PictureFault CheckLayout(Layout& layout) {
    if (planes_ != 1) return PictureFault::Damaged("it has more than one plane");
    if (layout.width <= 0 || layout.height == 0) return PictureFault::Damaged("it has no pixels");
    const bool masked = layout.compression == kBitFields || layout.compression == kAlphaBitFields;
    if (layout.compression != kRgb && !masked)
      return PictureFault::Damaged("compressed BMP files are not supported");
    switch (layout.bitsPerPixel) {
      case 1:
      case 4:
      case 8:
      case 24:
        if (masked) return PictureFault::Damaged("bit masks need 16 or 32 bits per pixel");
        break;
      case 16:
      case 32:
        if (!masked) SetDefaultMasks(layout);
        break;
      default:
        return PictureFault::Damaged("it has " + std::to_string(layout.bitsPerPixel) +
                                     " bits per pixel");
    }
    if (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32) {
      for (int i = 0; i < 3; ++i) {
        if (layout.masks[i] == 0) return PictureFault::Damaged("a colour mask is empty");
        masks_[i] = Mask(layout.masks[i]);
      }
      masks_[3] = Mask(layout.masks[3]);
      hasAlpha_ = layout.masks[3] != 0;
    }
    return {};
  }

  // Without masks, 16 bits are 5-5-5 and 32 bits blue, green, red and a fourth byte that is
  // alpha when any pixel uses it.
  static void SetDefaultMasks(Layout& layout) {
    if (layout.bitsPerPixel == 16) {
      layout.masks[0] = 0x7C00;
      layout.masks[1] = 0x03E0;
      layout.masks[2] = 0x001F;
      layout.masks[3] = 0;
    } else {
      layout.masks[0] = 0x00FF0000;
      layout.masks[1] = 0x0000FF00;
      layout.masks[2] = 0x000000FF;
      layout.masks[3] = 0xFF000000;
    }
  }

  PictureFault ReadPalette(const Layout& layout) {
    if (layout.bitsPerPixel > 8) return {};
    const std::uint32_t most = 1u << layout.bitsPerPixel;
    if (layout.coloursUsed > most) return PictureFault::Damaged("its palette is too long");
    const std::uint32_t count = layout.coloursUsed ? layout.coloursUsed : most;
    for (std::uint32_t i = 0; i < count; ++i) {
      const auto entry = Le(layout.paletteAt + i * layout.paletteEntrySize, 3);
      if (!entry) return PictureFault::Damaged("it ends inside its palette");
      palette_.push_back({0xFF, static_cast<std::uint8_t>(*entry >> 16),
                          static_cast<std::uint8_t>(*entry >> 8),
                          static_cast<std::uint8_t>(*entry)});
    }
    return {};
  }

  // `from` holds the whole row, as checked before.
  Colour Pixel(const Layout& layout, const std::uint8_t* from, std::uint32_t x) const {
    switch (layout.bitsPerPixel) {
      case 1:
      case 4:
      case 8: {
        const unsigned bits = layout.bitsPerPixel;
        const std::uint64_t bit = std::uint64_t{x} * bits;
        const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
        const unsigned index = (from[bit / 8] >> shift) & ((1u << bits) - 1);
        // An index past the palette shows black, as it does wherever such files are shown.
        return index < palette_.size() ? palette_[index] : Colour{0xFF, 0, 0, 0};
      }
      case 24: from += std::size_t{x} * 3; return {0xFF, from[2], from[1], from[0]};
      case 16:
        from += std::size_t{x} * 2;
        return Masked(std::uint32_t{from[0]} | std::uint32_t{from[1]} << 8);
      default:
        from += std::size_t{x} * 4;
        return Masked(std::uint32_t{from[0]} | std::uint32_t{from[1]} << 8 |
                      std::uint32_t{from[2]} << 16 | std::uint32_t{from[3]} << 24);
    }
  }

  Colour Masked(std::uint32_t pixel) const {
    return {hasAlpha_ ? masks_[3].Of(pixel) : std::uint8_t{0xFF}, masks_[0].Of(pixel),
            masks_[1].Of(pixel), masks_[2].Of(pixel)};
  }

  // Many writers leave the alpha of 32-bit files zero: such a picture is meant opaque.
  static bool AllTransparent(const RgbaPicture& picture) {
    for (const Colour& c : picture.pixels)
      if (c.alpha != 0) return false;
    return true;
  }

  ByteView bytes_;
  std::uint64_t pixelsAt_ = 0;
  std::uint16_t planes_ = 0;
  std::vector<Colour> palette_;
  Mask masks_[4] = {Mask(0), Mask(0), Mask(0), Mask(0)};
  bool hasAlpha_ = false;
};

}  // namespace

PictureFault DecodeBmp(ByteView bytes, RgbaPicture& picture) {
  return BmpReader(bytes).Decode(picture);
}

}  // namespace menuforge

// Pictures as the icon conversion sees them: 32-bit colours with alpha in, 8-bit palette
// indexes out.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace menuforge {

struct Colour {
  std::uint8_t alpha = 0;
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Colour&) const = default;
};

// Red, green, blue.
using Rgb = std::array<std::uint8_t, 3>;

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool operator==(const PictureSize&) const = default;
};

// Row after row from the top.
struct RgbaPicture {
  PictureSize size;
  std::vector<Colour> pixels;
};

inline constexpr std::size_t kPaletteSize = 256;

struct IndexedPicture {
  PictureSize size;
  // Entries from `transparentIndex` on are transparent black.
  std::array<Colour, kPaletteSize> palette{};
  std::uint8_t transparentIndex = 0;
  std::vector<std::uint8_t> indexes;
};

// The indexed pixels of one conversion fit 1,920,000 bytes, counted in rows padded to 4 bytes
// as an 8-bit picture lays them out: 1600 x 1200 is the largest 4:3 picture that fits.
inline constexpr std::uint64_t kIndexBufferSize = 1'920'000;
// GIF keeps width and height in 16 bits.
inline constexpr std::uint32_t kLargestGifSide = 65535;

constexpr bool FitsIndexBuffer(PictureSize size) {
  const std::uint64_t stride = (std::uint64_t{size.width} + 3) / 4 * 4;
  return size.width <= kLargestGifSide && size.height <= kLargestGifSide &&
         stride * size.height <= kIndexBufferSize;
}

}  // namespace menuforge

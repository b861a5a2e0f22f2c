// The raw icons of a DRM binary: RGB 5-6-5 pixels followed by a one-bit transparency mask.
#pragma once

#include <cstdint>

#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge {

// Two bytes per pixel, then one mask bit per pixel rounded up to whole bytes.
constexpr std::uint64_t DrmImageLength(std::uint32_t width, std::uint32_t height) {
  const std::uint64_t pixels = std::uint64_t{width} * height;
  return pixels * 2 + (pixels + 7) / 8;
}

// `data` holds at least DrmImageLength bytes. A pixel whose mask bit is set has its colour,
// alpha included, XORed with (255, mask red, mask green, mask blue): it turns transparent.
RgbaPicture DecodeDrmImage(ByteView data, PictureSize size, const Rgb& maskColour);

}  // namespace menuforge

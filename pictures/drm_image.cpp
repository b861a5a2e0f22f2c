#include "pictures/drm_image.h"

namespace menuforge {

RgbaPicture DecodeDrmImage(ByteView data, PictureSize size, const Rgb& maskColour) {
  const std::size_t count = std::size_t{size.width} * size.height;
  RgbaPicture picture{size, std::vector<Colour>(count)};
  const ByteView mask = data.subspan(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t b0 = data[2 * i];
    const std::uint8_t b1 = data[2 * i + 1];
    Colour& pixel = picture.pixels[i];
    pixel.alpha = 255;
    pixel.red = b0 & 0xF8;
    pixel.green = static_cast<std::uint8_t>((((b0 & 0x07) << 3) | (b1 >> 5)) << 2);
    pixel.blue = static_cast<std::uint8_t>(b1 << 3);
    if (mask[i / 8] & (0x80 >> (i % 8))) {
      pixel.alpha ^= 255;
      pixel.red ^= maskColour[0];
      pixel.green ^= maskColour[1];
      pixel.blue ^= maskColour[2];
    }
  }
  return picture;
}

}  // namespace menuforge

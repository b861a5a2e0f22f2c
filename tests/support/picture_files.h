// Picture files made up for tests: PNG through libpng's writer, BMP laid out by hand, both from
// colours with alpha, row after row from the top.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge::test {

inline Bytes PngFile(PictureSize size, const std::vector<Colour>& pixels) {
  std::vector<std::uint8_t> rgba;
  for (const Colour& c : pixels) rgba.insert(rgba.end(), {c.red, c.green, c.blue, c.alpha});
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = size.width;
  image.height = size.height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t length = 0;
  if (!png_image_write_to_memory(&image, nullptr, &length, 0, rgba.data(), 0, nullptr)) return {};
  Bytes file(length);
  if (!png_image_write_to_memory(&image, file.data(), &length, 0, rgba.data(), 0, nullptr))
    return {};
  file.resize(length);
  return file;
}

inline void PutLe(Bytes& out, std::uint32_t value, int length) {
  for (int i = 0; i < length; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// 24 bits, or 32 with the fourth byte as alpha; a 40-byte header, rows from the bottom.
inline Bytes BmpFile(PictureSize size, const std::vector<Colour>& pixels, int bitsPerPixel = 32) {
  const std::uint32_t stride = (size.width * bitsPerPixel + 31) / 32 * 4;
  Bytes file = {'B', 'M'};
  PutLe(file, 54 + stride * size.height, 4);
  PutLe(file, 0, 4);
  PutLe(file, 54, 4);
  for (std::uint32_t field : {40u, size.width, size.height}) PutLe(file, field, 4);
  PutLe(file, 1, 2);
  PutLe(file, static_cast<std::uint32_t>(bitsPerPixel), 2);
  for (int i = 0; i < 6; ++i) PutLe(file, 0, 4);
  for (std::uint32_t row = size.height; row-- > 0;) {
    const std::size_t start = file.size();
    for (std::uint32_t x = 0; x < size.width; ++x) {
      const Colour& c = pixels[row * size.width + x];
      file.insert(file.end(), {c.blue, c.green, c.red});
      if (bitsPerPixel == 32) file.push_back(c.alpha);
    }
    file.resize(start + stride);
  }
  return file;
}

}  // namespace menuforge::test

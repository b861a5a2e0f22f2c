#include "preview/png_writing.h"

#include <png.h>

#include "base/local_file.h"

namespace menuforge {

std::optional<Bytes> EncodePng(const RgbaPicture& picture) {
  Bytes rgba;
  rgba.reserve(picture.pixels.size() * 4);
  for (const Colour& c : picture.pixels) rgba.insert(rgba.end(), {c.red, c.green, c.blue, c.alpha});
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = picture.size.width;
  image.height = picture.size.height;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr))
    return std::nullopt;
  Bytes png(size);
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr))
    return std::nullopt;
  png.resize(size);
  return png;
}

Status WritePng(const RgbaPicture& picture, const std::filesystem::path& path) {
  const std::optional<Bytes> png = EncodePng(picture);
  if (!png) return Failure("The PNG encoder failed");
  return WriteFileAtomically(path, *png);
}

}  // namespace menuforge

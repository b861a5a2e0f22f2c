#include "pictures/picture_conversion.h"

#include <stb_image.h>

#include <memory>

#include "base/local_file.h"
#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoding.h"

namespace menuforge {
namespace {

constexpr int kRgbaChannels = 4;

struct StbFreer {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

std::string Unreadable(const std::filesystem::path& path) {
  return std::string(kPictureUnreadablePrefix) + "\"" + path.string() +
         "\": " + stbi_failure_reason();
}

// The size is checked before decoding, so that a small file claiming a huge picture costs
// nothing.
Result<RgbaPicture> ReadPicture(const std::filesystem::path& path) {
  const Result<std::string> contents = ReadWholeFile(path);
  if (!contents) return Failure(contents.error());
  const auto* data = reinterpret_cast<const stbi_uc*>(contents->data());
  const int length = static_cast<int>(std::min<std::size_t>(contents->size(), INT32_MAX));
  int width = 0;
  int height = 0;
  int channels = 0;
  if (!stbi_info_from_memory(data, length, &width, &height, &channels))
    return Failure(Unreadable(path));
  const PictureSize size{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
  if (!FitsIndexBuffer(size)) return Failure(kPictureTooLargeText);
  const std::unique_ptr<stbi_uc, StbFreer> pixels(
      stbi_load_from_memory(data, length, &width, &height, &channels, kRgbaChannels));
  if (!pixels) return Failure(Unreadable(path));
  RgbaPicture picture;
  picture.size = size;
  picture.pixels.resize(std::size_t{size.width} * size.height);
  const stbi_uc* p = pixels.get();
  for (Colour& c : picture.pixels) {
    c = {p[3], p[0], p[1], p[2]};
    p += kRgbaChannels;
  }
  return picture;
}

}  // namespace

Result<Bytes> PictureToGif(const RgbaPicture& picture) {
  if (!FitsIndexBuffer(picture.size)) return Failure(kPictureTooLargeText);
  std::optional<Bytes> gif = EncodeGif(QuantisePicture(picture).picture);
  if (!gif) return Failure(kGifEncodingFailedText);
  return std::move(*gif);
}

Status Convert(const std::filesystem::path& input, const std::filesystem::path& output) {
  const Result<RgbaPicture> picture = ReadPicture(input);
  if (!picture) return Failure(picture.error());
  const Result<Bytes> gif = PictureToGif(*picture);
  if (!gif) return Failure(gif.error());
  return WriteFileAtomically(output, *gif);
}

}  // namespace menuforge

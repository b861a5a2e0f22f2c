#include "pictures/drm_picture.h"

#include "pictures/drm_image.h"
#include "pictures/gif_encoding.h"
#include "pictures/picture_conversion.h"

namespace menuforge {
namespace {

std::optional<Bytes> EntryGif(const DrmEntry& entry) {
  if (const auto* file = std::get_if<DrmFileEntry>(&entry))
    return Bytes(file->gif.begin(), file->gif.end());
  const auto& image = std::get<DrmImageEntry>(entry);
  Result<Bytes> gif = PictureToGif(DecodeDrmImage(image.data, image.size, image.maskColour));
  if (!gif) return std::nullopt;
  return std::move(*gif);
}

}  // namespace

std::optional<DrmPicture> ExtractDrmPicture(const DrmBinary& binary, std::size_t index) {
  const std::optional<DrmEntry> entry = binary.Entry(index);
  if (!entry) return std::nullopt;
  std::optional<Bytes> gif = EntryGif(*entry);
  if (!gif) return std::nullopt;
  const std::optional<PictureSize> size = GifScreenSize(*gif);
  if (!size) return std::nullopt;
  return DrmPicture{std::move(*gif), *size};
}

std::optional<PictureSize> DrmEntrySize(const DrmEntry& entry) {
  if (const auto* file = std::get_if<DrmFileEntry>(&entry)) return GifScreenSize(file->gif);
  return std::get<DrmImageEntry>(entry).size;
}

}  // namespace menuforge

#include "pictures/picture_conversion.h"

#include "base/local_file.h"
#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoding.h"
#include "pictures/picture_decoding.h"

namespace menuforge {

Result<Bytes> PictureToGif(const RgbaPicture& picture) {
  if (!FitsIndexBuffer(picture.size)) return Failure(kPictureTooLargeText);
  std::optional<Bytes> gif = EncodeGif(QuantisePicture(picture).picture);
  if (!gif) return Failure(kGifEncodingFailedText);
  return std::move(*gif);
}

Status Convert(const std::filesystem::path& input, const std::filesystem::path& output) {
  const Result<Bytes> contents = ReadWholeFileBytes(input, kLargestPictureFile, kPictureFileKind);
  if (!contents) return Failure(contents.error());
  const Result<RgbaPicture> picture = DecodePicture(*contents, input.string());
  if (!picture) return Failure(picture.error());
  const Result<Bytes> gif = PictureToGif(*picture);
  if (!gif) return Failure(gif.error());
  return WriteFileAtomically(output, *gif);
}

}  // namespace menuforge

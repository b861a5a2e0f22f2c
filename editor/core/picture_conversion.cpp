#include "editor/core/picture_conversion.h"

#include "editor/core/colour_quantiser.h"
#include "editor/core/gif_encoding.h"
#include "editor/core/picture_decoding.h"
#include "menu/local_file.h"

namespace menuforge {

std::optional<Bytes> PictureToGif(const RgbaPicture& picture) {
  if (!FitsIndexBuffer(picture.size)) return std::nullopt;
  return EncodeGif(QuantisePicture(picture).picture);
}

std::string Convert(const std::filesystem::path& input, const std::filesystem::path& output) {
  Bytes contents;
  if (std::string error = ReadWholeFile(input, kLargestPictureFile, kPictureFileKind, contents);
      !error.empty())
    return error;
  RgbaPicture picture;
  if (std::string error = DecodePicture(contents, input.string(), picture); !error.empty())
    return error;
  const std::optional<Bytes> gif = PictureToGif(picture);
  if (!gif) return kGifEncodingFailedText;
  return WriteFileAtomically(output, *gif);
}

}  // namespace menuforge

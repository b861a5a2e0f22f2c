#include "preview/gif_decoding.h"

#include "pictures/picture_decoding.h"

namespace menuforge {

std::optional<RgbaPicture> DecodeGifIcon(ByteView gif) {
  RgbaPicture picture;
  if (DecodeGif(gif, picture).failed()) return std::nullopt;
  if (picture.size.width > kLargestIconSide || picture.size.height > kLargestIconSide)
    return std::nullopt;
  return picture;
}

}  // namespace menuforge

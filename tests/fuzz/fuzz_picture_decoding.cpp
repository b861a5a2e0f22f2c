// Any bytes as a picture file: a decoder never reads outside them, and a picture it accepts has
// the pixels its size names, within the largest the conversion takes.
#include <cstddef>
#include <cstdint>

#include "pictures/picture_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace menuforge;
  RgbaPicture picture;
  if (!DecodePicture(ByteView(data, size), "fuzz", picture).empty()) {
    if (!picture.pixels.empty()) __builtin_trap();
    return 0;
  }
  if (!FitsIndexBuffer(picture.size) ||
      picture.pixels.size() != std::size_t{picture.size.width} * picture.size.height)
    __builtin_trap();
  return 0;
}

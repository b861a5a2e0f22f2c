// Any bytes as a picture file: a decoder never reads outside them, and a picture it accepts has
// the pixels its size names, within the largest the conversion takes.
#include <cstddef>
#include <cstdint>

#include "pictures/picture_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace menuforge;
  const Result<RgbaPicture> decoded = DecodePicture(ByteView(data, size), "fuzz");
  if (!decoded) return 0;
  const RgbaPicture& picture = *decoded;
  if (!FitsIndexBuffer(picture.size) ||
      picture.pixels.size() != std::size_t{picture.size.width} * picture.size.height)
    __builtin_trap();
  return 0;
}

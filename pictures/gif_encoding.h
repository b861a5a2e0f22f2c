// GIF files in memory: writing an indexed picture with its transparent colour, and reading the
// picture size from a GIF's header.
#pragma once

#include <optional>

#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge {

// One GIF89a image with the 256-entry palette as its global colour table and the transparent
// index in its graphics control extension. Nothing when the encoder fails.
std::optional<Bytes> EncodeGif(const IndexedPicture& picture);

// The logical screen size of bytes 6 to 9, least significant byte first; nothing when the bytes
// are too short to hold it.
std::optional<PictureSize> GifScreenSize(ByteView gif);

}  // namespace menuforge

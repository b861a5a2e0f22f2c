// The first frame of a GIF icon as pixels with alpha, for drawing it on the preview.
#pragma once

#include <optional>

#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge {

// Icons are small; a GIF that claims more is not drawn.
inline constexpr std::uint32_t kLargestIconSide = 1024;

// Nothing for bytes that are no GIF, a truncated one, or one larger than kLargestIconSide on a
// side (the picture decoder refuses anything past its own limit before it allocates). The first
// frame is placed on the GIF's screen; what it leaves uncovered is transparent.
std::optional<RgbaPicture> DecodeGifIcon(ByteView gif);

}  // namespace menuforge

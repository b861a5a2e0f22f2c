// Reducing a picture with alpha to at most 64 colours and a transparent one, by splitting the
// opaque colours into boxes: each split cuts the widest channel at the middle of its range,
// six levels deep.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/picture.h"

namespace menuforge {

struct ColourBox {
  Rgb minimum{};
  Rgb maximum{};
  Rgb mean{};
  std::uint32_t count = 0;
  bool operator==(const ColourBox&) const = default;
};

inline constexpr int kSplitDepth = 6;
// Pixels above this alpha count towards the palette...
inline constexpr std::uint8_t kPaletteAlpha = 128;
// ...and only those above this one are drawn opaque.
inline constexpr std::uint8_t kOpaqueAlpha = 200;

struct Quantised {
  // In palette order: the most pixels first.
  std::vector<ColourBox> boxes;
  IndexedPicture picture;
};

// The picture must fit the index buffer (FitsIndexBuffer).
Quantised QuantisePicture(const RgbaPicture& picture);

}  // namespace menuforge

#include "widgets/picture_pixmap.h"

#include <QImage>

#include "pictures/picture_decoding.h"

namespace menuforge {

QPixmap PictureFromBytes(ByteView bytes) {
  const Result<RgbaPicture> decoded = DecodePicture(bytes, "");
  if (!decoded) return {};
  const RgbaPicture& picture = *decoded;
  QImage image(static_cast<int>(picture.size.width), static_cast<int>(picture.size.height),
               QImage::Format_ARGB32);
  for (std::uint32_t y = 0; y < picture.size.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    for (std::uint32_t x = 0; x < picture.size.width; ++x) {
      const Colour& c = picture.pixels[std::size_t{y} * picture.size.width + x];
      line[x] = qRgba(c.red, c.green, c.blue, c.alpha);
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace menuforge

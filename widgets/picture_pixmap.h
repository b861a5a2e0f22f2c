// Phone pictures shown in the windows, decoded by the same readers as the icon conversion so
// that a file from the phone never reaches a decoder for a format the program does not offer.
#pragma once

#include <QPixmap>

#include "base/text_encoding.h"

namespace menuforge {

// A null pixmap when the bytes are no PNG, GIF or BMP picture the conversion would take.
QPixmap PictureFromBytes(ByteView bytes);

}  // namespace menuforge

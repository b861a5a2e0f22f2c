// Picture files as the icon conversion reads them: PNG, GIF and BMP, recognised by their first
// bytes, each decoded by a reader that checks every size against the bytes present and the
// largest picture the conversion takes before it allocates anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge {

// The largest genuine picture, 1600 x 1200 in 16-bit RGBA PNG or 32-bit BMP, stays below this;
// a larger file is refused by its size before it is read.
inline constexpr std::size_t kLargestPictureFile = 16 * 1024 * 1024;
inline constexpr char kPictureFileKind[] = "a picture file";
// Icons are small: a larger file is neither fetched nor read only to be shown at 16 pixels, in
// the picker, the item editor or the preview alike.
inline constexpr std::uint32_t kMaxPreviewBytes = 64 * 1024;

// Why a decoder stopped; the message with the file's name is made from it.
struct PictureFault {
  enum class Kind { None, TooLarge, EndsEarly, Damaged };
  Kind kind = Kind::None;
  // What is wrong, for Damaged.
  std::string reason;

  static PictureFault Damaged(std::string reason) { return {Kind::Damaged, std::move(reason)}; }
  bool failed() const { return kind != Kind::None; }
};

// Each fills `picture` only on success.
PictureFault DecodePng(ByteView bytes, RgbaPicture& picture);
PictureFault DecodeGif(ByteView bytes, RgbaPicture& picture);
PictureFault DecodeBmp(ByteView bytes, RgbaPicture& picture);

// A picture of `bytes` read from the file `name`, whose format its first bytes tell, or one of:
//   Cannot read the picture "NAME": it is not a PNG, GIF or BMP file
//   The picture "NAME" is damaged: it ends before its last row
//   Cannot read the picture "NAME": REASON
//   kPictureTooLargeText
Result<RgbaPicture> DecodePicture(ByteView bytes, std::string_view name);

}  // namespace menuforge

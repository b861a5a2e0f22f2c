#include "pictures/picture_decoding.h"

#include <algorithm>
#include <array>

#include "pictures/picture_conversion.h"

namespace menuforge {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::string_view kGif87 = "GIF87a";
constexpr std::string_view kGif89 = "GIF89a";
constexpr std::string_view kBmp = "BM";
constexpr char kNotAPicture[] = "it is not a PNG, GIF or BMP file";
constexpr char kEndsEarly[] = " is damaged: it ends before its last row";

bool StartsWith(ByteView bytes, std::string_view magic) {
  return bytes.size() >= magic.size() &&
         std::equal(magic.begin(), magic.end(), bytes.begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

}  // namespace

Result<RgbaPicture> DecodePicture(ByteView bytes, std::string_view name) {
  RgbaPicture picture;
  PictureFault fault;
  if (bytes.size() >= kPngSignature.size() &&
      std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin()))
    fault = DecodePng(bytes, picture);
  else if (StartsWith(bytes, kGif87) || StartsWith(bytes, kGif89))
    fault = DecodeGif(bytes, picture);
  else if (StartsWith(bytes, kBmp))
    fault = DecodeBmp(bytes, picture);
  else
    fault = PictureFault::Damaged(kNotAPicture);

  switch (fault.kind) {
    case PictureFault::Kind::None: return picture;
    case PictureFault::Kind::TooLarge: return Failure(kPictureTooLargeText);
    case PictureFault::Kind::EndsEarly: return Failure("The picture " + Quoted(name) + kEndsEarly);
    case PictureFault::Kind::Damaged: break;
  }
  return Failure(kPictureUnreadablePrefix + Quoted(name) + ": " + fault.reason);
}

}  // namespace menuforge

// Picture files in: the formats told by their first bytes, every other format refused before a
// decoder sees it, sizes judged from the header, and files that end early refused.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoding.h"
#include "pictures/picture_conversion.h"
#include "pictures/picture_decoding.h"
#include "support/picture_files.h"

namespace menuforge {
namespace {

using test::BmpFile;
using test::PngFile;

constexpr char kNotAPicture[] = "Cannot read the picture \"p\": it is not a PNG, GIF or BMP file";
constexpr char kEndsEarly[] = "The picture \"p\" is damaged: it ends before its last row";

// Opaque blue, half-transparent grey / opaque red, invisible black.
const std::vector<Colour> kFour = {
    {255, 0, 0, 255}, {100, 9, 9, 9}, {255, 255, 0, 0}, {0, 0, 0, 0}};

std::vector<Colour> Noise(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Colour> pixels(count);
  for (Colour& c : pixels)
    c = {255, static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
         static_cast<std::uint8_t>(random())};
  return pixels;
}

Bytes Gif(PictureSize size, const std::vector<Colour>& pixels) {
  return EncodeGif(QuantisePicture({size, pixels}).picture).value_or(Bytes{});
}

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes Cut(Bytes bytes, std::size_t dropped) {
  bytes.resize(bytes.size() - dropped);
  return bytes;
}

Bytes Patched(Bytes bytes, std::size_t at, const Bytes& with) {
  std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

// A PNG whose header claims another size than its rows hold, its checksum made right.
Bytes PngClaiming(Bytes png, std::uint32_t width, std::uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  return png;
}

// 4 bits per pixel, two palette entries (red, green), three pixels 0 1 1.
Bytes PaletteBmp() {
  Bytes bmp = BmpFile({3, 1}, {kFour[0], kFour[0], kFour[0]}, 24);
  bmp.resize(54);
  bmp[10] = 62;
  bmp[28] = 4;
  bmp[46] = 2;
  bmp.insert(bmp.end(), {0, 0, 255, 0, 0, 255, 0, 0, 0x01, 0x10, 0, 0});
  return bmp;
}

struct DecodeCase {
  const char* name;
  Bytes file;
  std::string error;
  RgbaPicture expected = {};
};

TEST(PictureDecoding, FormatsByTheirFirstBytesAndFaultsByName) {
  const Colour red{255, 255, 0, 0};
  const Colour green{255, 0, 255, 0};
  std::vector<Colour> opaqueFour = kFour;
  std::vector<Colour> noAlpha = kFour;
  for (Colour& c : opaqueFour) c.alpha = 255;
  for (Colour& c : noAlpha) c.alpha = 0;
  const Bytes flipped =
      Patched(BmpFile({1, 2}, {kFour[0], kFour[2]}), 22, {0xFE, 0xFF, 0xFF, 0xFF});
  const DecodeCase cases[] = {
      {"png", PngFile({2, 2}, kFour), "", {{2, 2}, kFour}},
      {"bmp 32", BmpFile({2, 2}, kFour), "", {{2, 2}, kFour}},
      {"bmp 32 without alpha", BmpFile({2, 2}, noAlpha), "", {{2, 2}, opaqueFour}},
      {"bmp 24", BmpFile({2, 2}, kFour, 24), "", {{2, 2}, opaqueFour}},
      {"bmp top down", flipped, "", {{1, 2}, {kFour[2], kFour[0]}}},
      {"bmp palette", PaletteBmp(), "", {{3, 1}, {red, green, green}}},
      {"gif", Gif({2, 2}, kFour), "", {{2, 2}, {kFour[0], {}, kFour[2], {}}}},
      {"pgm", Text("P5\n1600 1200\n65535\n"), kNotAPicture},
      {"hdr", Text("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n"), kNotAPicture},
      {"jpeg", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0}, kNotAPicture},
      {"empty", {}, kNotAPicture},
      {"png cut", Cut(PngFile({64, 64}, Noise(64 * 64, 1)), 30), kEndsEarly},
      {"bmp cut", Cut(BmpFile({64, 64}, Noise(64 * 64, 2)), 10), kEndsEarly},
      {"gif cut", Cut(Gif({64, 64}, Noise(64 * 64, 3)), 20), kEndsEarly},
      {"png rows to spare",
       PngClaiming(PngFile({2, 2}, kFour), 2, 1),
       "",
       {{2, 1}, {kFour[0], kFour[1]}}},
      {"png rows missing", PngClaiming(PngFile({2, 2}, kFour), 2, 3), kEndsEarly},
      {"png bomb", PngClaiming(PngFile({1, 1}, {kFour[0]}), 30000, 30000), kPictureTooLargeText},
      {"png wide", PngClaiming(PngFile({1, 1}, {kFour[0]}), 1601, 1200), kPictureTooLargeText},
      {"bmp bomb", Patched(BmpFile({1, 1}, {kFour[0]}), 18, {0x30, 0x75, 0, 0, 0x30, 0x75, 0, 0}),
       kPictureTooLargeText},
      {"gif bomb", Patched(Gif({1, 1}, {kFour[0]}), 6, {0x30, 0x75, 0x30, 0x75}),
       kPictureTooLargeText},
      {"bmp rle", Patched(BmpFile({1, 1}, {kFour[0]}, 24), 30, {1}),
       "Cannot read the picture \"p\": compressed BMP files are not supported"},
      {"bmp depth", Patched(BmpFile({1, 1}, {kFour[0]}, 24), 28, {7}),
       "Cannot read the picture \"p\": it has 7 bits per pixel"},
      {"bmp header", Text(std::string_view("BM01234567\x36\0\0\0\x28\0\0\0abcd", 22)),
       "Cannot read the picture \"p\": it ends inside its header"},
      {"gif empty", Text(std::string_view("GIF89a\1\0\1\0\0\0\0;", 14)),
       "Cannot read the picture \"p\": it holds no picture"},
  };
  for (const DecodeCase& c : cases) {
    const Result<RgbaPicture> picture = DecodePicture(c.file, "p");
    EXPECT_EQ(picture.errorText(), c.error) << c.name;
    if (!picture) continue;
    EXPECT_EQ(picture->size, c.expected.size) << c.name;
    EXPECT_EQ(picture->pixels, c.expected.pixels) << c.name;
  }
}

}  // namespace
}  // namespace menuforge

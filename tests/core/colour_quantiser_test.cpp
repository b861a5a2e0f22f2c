// The colour boxes, the palette and the indexes of the icon conversion, and the GIF it writes.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <random>

#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoding.h"
#include "pictures/picture_conversion.h"

namespace menuforge {
namespace {

constexpr Colour kTransparentBlack{0, 0, 0, 0};

RgbaPicture Row(std::vector<Colour> pixels) {
  const auto width = static_cast<std::uint32_t>(pixels.size());
  return {{width, 1}, std::move(pixels)};
}

Colour Opaque(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return {255, red, green, blue};
}

struct QuantiserCase {
  const char* name;
  RgbaPicture picture;
  std::vector<Colour> palette;  // the entries before the transparent ones
  std::vector<std::uint8_t> indexes;
};

class QuantiserTest : public ::testing::TestWithParam<QuantiserCase> {};

TEST_P(QuantiserTest, PaletteAndIndexes) {
  const QuantiserCase& c = GetParam();
  const IndexedPicture picture = QuantisePicture(c.picture).picture;
  EXPECT_EQ(picture.transparentIndex, c.palette.size());
  for (std::size_t k = 0; k < kPaletteSize; ++k)
    EXPECT_EQ(picture.palette[k], k < c.palette.size() ? c.palette[k] : kTransparentBlack) << k;
  EXPECT_EQ(picture.indexes, c.indexes);
}

// 64 blues that differ by one: every level splits on blue at the middle, each box holds one
// blue, and as all counts are equal the last box made comes first.
QuantiserCase BlueOnly() {
  QuantiserCase c{"BlueOnly", {}, {}, {}};
  std::vector<Colour> pixels;
  for (int b = 0; b < 64; ++b) {
    pixels.push_back(Opaque(7, 9, static_cast<std::uint8_t>(100 + b)));
    c.palette.push_back(Opaque(7, 9, static_cast<std::uint8_t>(163 - b)));
    c.indexes.push_back(static_cast<std::uint8_t>(63 - b));
  }
  c.picture = Row(pixels);
  return c;
}

// 128 reds: six levels leave two reds in each box, whose mean is rounded down.
QuantiserCase RedPairs() {
  QuantiserCase c{"RedPairs", {}, {}, {}};
  std::vector<Colour> pixels;
  for (int r = 0; r < 128; ++r) {
    pixels.push_back(Opaque(static_cast<std::uint8_t>(r), 0, 0));
    c.indexes.push_back(static_cast<std::uint8_t>(63 - r / 2));
  }
  for (int k = 0; k < 64; ++k)
    c.palette.push_back(Opaque(static_cast<std::uint8_t>(126 - 2 * k), 0, 0));
  c.picture = Row(pixels);
  return c;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuantiserTest,
    ::testing::Values(
        QuantiserCase{"FullyTransparent",
                      Row({{128, 255, 255, 255}, {0, 1, 2, 3}, {128, 9, 9, 9}}),
                      {},
                      {0, 0, 0}},
        // Alpha 129 to 200 counts for the palette but is drawn transparent.
        QuantiserCase{"OneColour",
                      Row({Opaque(10, 20, 30), {201, 10, 20, 30}, {150, 10, 20, 30}, {0, 1, 1, 1}}),
                      {Opaque(10, 20, 30)},
                      {0, 0, 1, 1}},
        // Equal ranges on red and green: the split is on red, so (0,10,0) is the first box.
        QuantiserCase{"RedBeforeGreen",
                      Row({Opaque(0, 10, 0), Opaque(10, 0, 0)}),
                      {Opaque(10, 0, 0), Opaque(0, 10, 0)},
                      {1, 0}},
        QuantiserCase{"EqualCountsLaterFirst",
                      Row({Opaque(0, 0, 0), Opaque(200, 0, 0), Opaque(0, 0, 0), Opaque(200, 0, 0)}),
                      {Opaque(200, 0, 0), Opaque(0, 0, 0)},
                      {1, 0, 1, 0}},
        QuantiserCase{"LargerCountFirst",
                      Row({Opaque(0, 0, 0), Opaque(200, 0, 0), Opaque(200, 0, 0), Opaque(0, 0, 9)}),
                      {Opaque(200, 0, 0), Opaque(0, 0, 9), Opaque(0, 0, 0)},
                      {2, 0, 0, 1}},
        BlueOnly(), RedPairs()),
    [](const auto& info) { return std::string(info.param.name); });

RgbaPicture RandomPicture(std::uint32_t width, std::uint32_t height, unsigned seed) {
  std::mt19937 random(seed);
  RgbaPicture picture{{width, height}, {}};
  for (std::uint32_t i = 0; i < width * height; ++i) {
    const auto value = random();
    picture.pixels.push_back({static_cast<std::uint8_t>(value % 3 == 0 ? value >> 24 : 255),
                              static_cast<std::uint8_t>(value >> 16),
                              static_cast<std::uint8_t>(value >> 8 & 0x3F),
                              static_cast<std::uint8_t>(value)});
  }
  return picture;
}

// Each opaque pixel takes the first box, in palette order, that holds its colour.
TEST(Quantiser, IndexIsTheFirstBoxHoldingTheColour) {
  const RgbaPicture picture = RandomPicture(61, 47, 5);
  const Quantised quantised = QuantisePicture(picture);
  ASSERT_EQ(quantised.boxes.size(), 64u);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const Colour& c = picture.pixels[i];
    std::size_t expected = quantised.boxes.size();
    const Rgb rgb{c.red, c.green, c.blue};
    for (std::size_t k = 0; k < quantised.boxes.size() && c.alpha > kOpaqueAlpha; ++k) {
      const ColourBox& box = quantised.boxes[k];
      bool holds = true;
      for (int ch = 0; ch < 3; ++ch)
        holds = holds && box.minimum[ch] <= rgb[ch] && rgb[ch] <= box.maximum[ch];
      if (holds) {
        expected = k;
        break;
      }
    }
    ASSERT_EQ(quantised.picture.indexes[i], expected) << i;
  }
}

struct GifFile {
  GifFileType* gif = nullptr;
  ByteView bytes;
  std::size_t read = 0;
  ~GifFile() {
    int ignored = 0;
    if (gif) DGifCloseFile(gif, &ignored);
  }
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* file = static_cast<GifFile*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(length, file->bytes.size() - file->read);
  std::copy_n(file->bytes.begin() + file->read, n, out);
  file->read += n;
  return static_cast<int>(n);
}

TEST(GifEncoding, DecodesToThePaletteTransparentIndexAndPixels) {
  const IndexedPicture picture = QuantisePicture(RandomPicture(37, 23, 9)).picture;
  const std::optional<Bytes> gif = EncodeGif(picture);
  ASSERT_TRUE(gif);
  EXPECT_EQ(GifScreenSize(*gif), (PictureSize{37, 23}));

  GifFile file{nullptr, *gif};
  int error = 0;
  file.gif = DGifOpen(&file, ReadGifBytes, &error);
  ASSERT_NE(file.gif, nullptr);
  ASSERT_EQ(DGifSlurp(file.gif), GIF_OK);
  ASSERT_EQ(file.gif->ImageCount, 1);
  const ColorMapObject* map = file.gif->SColorMap;
  ASSERT_EQ(map->ColorCount, 256);
  for (int k = 0; k < 256; ++k) {
    const Colour& c = picture.palette[k];
    EXPECT_EQ((Rgb{map->Colors[k].Red, map->Colors[k].Green, map->Colors[k].Blue}),
              (Rgb{c.red, c.green, c.blue}));
  }
  GraphicsControlBlock control;
  ASSERT_EQ(DGifSavedExtensionToGCB(file.gif, 0, &control), GIF_OK);
  EXPECT_EQ(control.TransparentColor, picture.transparentIndex);
  const SavedImage& image = file.gif->SavedImages[0];
  EXPECT_EQ(std::vector<std::uint8_t>(image.RasterBits, image.RasterBits + 37 * 23),
            picture.indexes);
}

struct SizeCase {
  PictureSize size;
  bool fits;
};

TEST(PictureConversion, RefusesPicturesBeyondTheIndexBuffer) {
  for (const SizeCase& c :
       {SizeCase{{1600, 1200}, true}, SizeCase{{1601, 1200}, false}, SizeCase{{1597, 1200}, true},
        SizeCase{{65535, 29}, true}, SizeCase{{65536, 1}, false}, SizeCase{{1, 65536}, false}}) {
    EXPECT_EQ(FitsIndexBuffer(c.size), c.fits) << c.size.width << "x" << c.size.height;
  }
  EXPECT_EQ(PictureToGif({{1601, 1200}, std::vector<Colour>(1601 * 1200)}).errorText(),
            kPictureTooLargeText);
}

}  // namespace
}  // namespace menuforge

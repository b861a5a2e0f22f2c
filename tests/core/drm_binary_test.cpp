// DRM binaries built in the test: layouts, numbering, entries, and what a hostile file gets.
#include <gtest/gtest.h>

#include "pictures/drm_binary.h"
#include "pictures/drm_image.h"
#include "pictures/drm_picture.h"
#include "support/drm_binaries.h"

namespace menuforge {
namespace {

using test::BuildDrmBinary;
using test::DrmHeader;
using test::PlainIcon;
using test::PutU32;
using test::StoredGif;
using test::SyntheticDrm;

std::vector<Bytes> ThreeFiles() {
  return {StoredGif(16, 16, 1), StoredGif(24, 12, 2), StoredGif(32, 8, 3)};
}

Bytes FileBytes(const std::optional<DrmEntry>& entry) {
  const ByteView gif = std::get<DrmFileEntry>(*entry).gif;
  return Bytes(gif.begin(), gif.end());
}

struct LayoutCase {
  const char* name;
  DrmHeader header;
  std::uint32_t base;
  DrmLayout layout;
};

class DrmLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DrmLayoutTest, FindsTablesAndNumbersEntries) {
  const LayoutCase& c = GetParam();
  SyntheticDrm drm{c.header, c.base, ThreeFiles(), {}};
  if (c.layout == DrmLayout::B) drm.icons = {PlainIcon(2, 3, 0xF800), PlainIcon(4, 1, 0x001F)};
  const DrmBinary binary = DrmBinary::Parse(BuildDrmBinary(drm));

  EXPECT_EQ(binary.layout(), c.layout);
  EXPECT_EQ(binary.baseAddress(), c.base);
  EXPECT_EQ(binary.fileOffsets().size(), 4u);
  if (c.layout == DrmLayout::A) {
    // N = 4 offsets: numbers 1 to 3, each a stored file.
    EXPECT_EQ(binary.highestNumber(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(FileBytes(binary.Entry(i)), drm.files[i]);
  } else {
    // M = 3 records and N = 4 offsets: numbers 1 to 5. Numbers 1 and 2 are images, 3 is the
    // end record, 4 and 5 the first two files; the last file is not offered.
    EXPECT_EQ(binary.imageRecords().size(), 3u);
    EXPECT_EQ(binary.highestNumber(), 5u);
    EXPECT_EQ(std::get<DrmImageEntry>(*binary.Entry(0)).size, (PictureSize{2, 3}));
    EXPECT_EQ(std::get<DrmImageEntry>(*binary.Entry(1)).size, (PictureSize{4, 1}));
    EXPECT_EQ(binary.KindOf(2), DrmEntryKind::Image);
    EXPECT_FALSE(binary.Entry(2));
    EXPECT_EQ(FileBytes(binary.Entry(3)), drm.files[0]);
    EXPECT_EQ(FileBytes(binary.Entry(4)), drm.files[1]);
  }
  EXPECT_FALSE(binary.Entry(binary.highestNumber()));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, DrmLayoutTest,
    ::testing::Values(LayoutCase{"A", DrmHeader::A, 0x10000000, DrmLayout::A},
                      LayoutCase{"AZeroFirst", DrmHeader::AZeroFirst, 0x20000000, DrmLayout::A},
                      LayoutCase{"B", DrmHeader::B, 0x10000000, DrmLayout::B},
                      LayoutCase{"BLowTable", DrmHeader::B, 0x10D00000, DrmLayout::B}),
    [](const auto& info) { return std::string(info.param.name); });

// Each case breaks one thing of a layout B binary with two icons and three files.
struct BrokenEntryCase {
  const char* name;
  void (*breakDrm)(SyntheticDrm&);
  std::size_t index;
};

class DrmBrokenEntryTest : public ::testing::TestWithParam<BrokenEntryCase> {};

TEST_P(DrmBrokenEntryTest, ShowsNoImage) {
  SyntheticDrm drm{
      DrmHeader::B, 0x10000000, ThreeFiles(), {PlainIcon(2, 2, 0x07E0), PlainIcon(3, 3, 0x07E0)}};
  GetParam().breakDrm(drm);
  const DrmBinary binary = DrmBinary::Parse(BuildDrmBinary(drm));
  EXPECT_FALSE(ExtractDrmPicture(binary, GetParam().index));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DrmBrokenEntryTest,
    ::testing::Values(
        BrokenEntryCase{"EmptyFile", [](SyntheticDrm& s) { s.files[0].clear(); }, 3},
        BrokenEntryCase{"ZeroWidth", [](SyntheticDrm& s) { s.icons[0].width = 0; }, 0},
        BrokenEntryCase{"ZeroHeight", [](SyntheticDrm& s) { s.icons[1].height = 0; }, 1},
        BrokenEntryCase{"EmptyImage", [](SyntheticDrm& s) { s.icons[0].data.clear(); }, 0},
        // 3 x 3 needs 18 bytes of pixels and 2 of mask.
        BrokenEntryCase{"ShortMask", [](SyntheticDrm& s) { s.icons[1].data.resize(18); }, 1},
        BrokenEntryCase{"Oversized",
                        [](SyntheticDrm& s) { s.icons[0].width = s.icons[0].height = 65535; }, 0},
        BrokenEntryCase{"FileTooShortForSize",
                        [](SyntheticDrm& s) {
                          s.files[1] = {'G', 'I', 'F'};
                        },
                        4}),
    [](const auto& info) { return std::string(info.param.name); });

// Each case overwrites one word of a valid layout A or B binary.
struct HostileCase {
  const char* name;
  DrmHeader header;
  std::size_t at;
  std::uint32_t value;
  std::size_t highestNumber;
};

class DrmHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(DrmHostileTest, OffersOnlyWhatTheFileHolds) {
  const HostileCase& c = GetParam();
  SyntheticDrm drm{c.header, 0x10000000, ThreeFiles(), {}};
  if (c.header == DrmHeader::B) drm.icons = {PlainIcon(2, 2, 1)};
  Bytes bytes = BuildDrmBinary(drm);
  PutU32(bytes, c.at, c.value);
  const DrmBinary binary = DrmBinary::Parse(bytes);
  EXPECT_EQ(binary.highestNumber(), c.highestNumber);
  for (std::size_t i = 0; i < binary.highestNumber() + 2; ++i)
    if (const auto entry = binary.Entry(i)) (void)DrmEntrySize(*entry);
}

constexpr std::size_t kW1 = test::kSyntheticTableAt + 4;
constexpr std::size_t kW5 = test::kSyntheticTableAt + 20;
constexpr std::size_t kW12 = test::kSyntheticTableAt + 48;

INSTANTIATE_TEST_SUITE_P(
    Words, DrmHostileTest,
    ::testing::Values(HostileCase{"TablePointerOutside", DrmHeader::A, 40, 0x1FFFFFF0, 0},
                      HostileCase{"TablePointerBelowBase", DrmHeader::A, 40, 0x0FFFFFFC, 0},
                      HostileCase{"OffsetsEndBeforeStart", DrmHeader::A, kW1, 0x10000000, 0},
                      HostileCase{"OffsetsPastTheFile", DrmHeader::A, kW1, 0x1000FFF0, 0},
                      HostileCase{"OffsetsStartOutside", DrmHeader::A, kW5, 0xFFFFFFF0, 0},
                      HostileCase{"FileOffsetOutside", DrmHeader::A, test::kSyntheticOffsetsAt + 8,
                                  0xFFFFFF00, 3},
                      // No records: T = N - 1.
                      HostileCase{"RecordsPastTheFile", DrmHeader::B, kW12, 0x1FFFFFFF, 2},
                      HostileCase{"EndBeforeRecords", DrmHeader::B, 56, 0x10000000, 2},
                      HostileCase{"RecordPixelsOutside", DrmHeader::B, 144 + 12, 0x7FFFFFFF, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrmBinary, EveryTruncationParses) {
  const Bytes whole = BuildDrmBinary(
      {DrmHeader::B, 0x10D00000, ThreeFiles(), {PlainIcon(3, 2, 0xFFFF), PlainIcon(1, 1, 0)}});
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const DrmBinary binary = DrmBinary::Parse(Bytes(whole.begin(), whole.begin() + size));
    for (std::size_t i = 0; i < binary.highestNumber(); ++i) (void)ExtractDrmPicture(binary, i);
  }
  EXPECT_EQ(DrmBinary::Parse({}).highestNumber(), 0u);
}

TEST(DrmImage, Decodes565AndMakesMaskedPixelsTransparent) {
  // Four pixels: pure red, pure green, pure blue, white; the last two masked.
  const Bytes data = {0xF8, 0x00, 0x07, 0xE0, 0x00, 0x1F, 0xFF, 0xFF, 0b0011'0000};
  const RgbaPicture picture = DecodeDrmImage(data, {2, 2}, {0x10, 0x20, 0xFF});
  const std::vector<Colour> expected = {
      {255, 0xF8, 0, 0}, {255, 0, 0xFC, 0}, {0, 0x10, 0x20, 0xFF ^ 0xF8}, {0, 0xE8, 0xDC, 0x07}};
  EXPECT_EQ(picture.pixels, expected);
}

TEST(DrmPicture, RawIconBecomesAGifOfItsSize) {
  const DrmBinary binary = DrmBinary::Parse(
      BuildDrmBinary({DrmHeader::B, 0x10000000, ThreeFiles(), {PlainIcon(5, 7, 0x1234)}}));
  const std::optional<DrmPicture> picture = ExtractDrmPicture(binary, 0);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->size, (PictureSize{5, 7}));
  EXPECT_EQ(Bytes(picture->gif.begin(), picture->gif.begin() + 6),
            (Bytes{'G', 'I', 'F', '8', '9', 'a'}));
  const std::optional<DrmPicture> stored = ExtractDrmPicture(binary, 2);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->gif, ThreeFiles()[0]);
  EXPECT_EQ(stored->size, (PictureSize{16, 16}));
}

}  // namespace
}  // namespace menuforge

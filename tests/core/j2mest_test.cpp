// J2MEST tables from bytes, the launch text field the patcher writes, and the MIDlet name of a
// JAD file.
#include <gtest/gtest.h>

#include "java/j2mest_format.h"
#include "java/jad_file.h"
#include "support/j2mest_files.h"

namespace menuforge::test {
namespace {

struct LayoutCase {
  J2mestRecordLayout layout;
  std::size_t leading;
};

class J2mestLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

// Entries in the first and last read record; the 31st record is never read.
TEST_P(J2mestLayoutTest, ReadsEntriesAndListsWrongCoreletInfo) {
  const auto [layout, leading] = GetParam();
  const Bytes file = J2mestFile(layout, leading,
                                {{0, "Chess", "Board Games", "2: chess.Main", true},
                                 {7, "Notes", "Acme", "3: notes", false},
                                 {29, "Sky", "Stars", "sky.Chart", true},
                                 {30, "Hidden", "Nobody", "4: x", true}});
  const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->layout.recordSize, layout.size);
  EXPECT_EQ(parsed->leadingSize, leading);

  const bool corelet = layout.coreletFlag;
  MidletTable expected;
  expected[0] = MidletEntry{"Chess", "Board Games", "2: chess.Main", corelet};
  expected[7] = MidletEntry{"Notes", "Acme", "3: notes", false};
  expected[29] = MidletEntry{"Sky", "Stars", "sky.Chart", corelet};
  EXPECT_EQ(parsed->midlets, expected);

  std::vector<PatchTarget> patches;
  if (corelet)
    patches.push_back({0, static_cast<std::uint16_t>(LaunchTextOffset(layout, leading, 0))});
  EXPECT_EQ(parsed->patches, patches);
}

INSTANTIATE_TEST_SUITE_P(Layouts, J2mestLayoutTest,
                         ::testing::Values(LayoutCase{kJ2mest652, 0}, LayoutCase{kJ2mest652, 3},
                                           LayoutCase{kJ2mest660, 0}, LayoutCase{kJ2mest708, 3},
                                           LayoutCase{kJ2mest712, 0}, LayoutCase{kJ2mest1104, 30},
                                           LayoutCase{kJ2mest1112, 1}));

TEST(J2mestTest, PatchOffsetIsRecordTimesSizePlusLeadingBlockPlusLaunchText) {
  const Bytes file =
      J2mestFile(kJ2mest708, 3, {{4, "A", "", "2: a", true}, {28, "B", "", "9: ", true}});
  const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->patches,
            (std::vector<PatchTarget>{{4, 4 * 708 + 3 + 152}, {28, 28 * 708 + 3 + 152}}));
}

TEST(J2mestTest, OnlySizesOfALayoutAreRead) {
  struct Case {
    std::size_t size;
    bool supported;
  };
  for (const Case c : {Case{31 * 652, true}, Case{31 * 652 + 3, true}, Case{31 * 652 + 30, true},
                       Case{31 * 652 - 1, false}, Case{31 * 700, false}, Case{0, false},
                       Case{30, false}, Case{31 * 1112 + 31, false}, Case{31 * 2000, false}})
    EXPECT_EQ(ParseJ2mestBytes(Bytes(c.size, 0x01)).has_value(), c.supported) << c.size;
}

// Four 0xFF bytes at the end of the first entry's record move its launch text, and every later
// one's, four bytes on.
TEST(J2mestTest, The1104ByteVariantFollowsTheFirstEntry) {
  struct Case {
    std::size_t markedRecord;
    std::size_t launchText;
  };
  for (const Case c : {Case{2, 156}, Case{5, 152}}) {
    J2mestRecordLayout moved = kJ2mest1104;
    moved.launchText = c.launchText;
    Bytes file =
        J2mestFile(moved, 0, {{2, "First", "V", "1: a", true}, {5, "Later", "V", "1: b", true}});
    std::fill_n(file.begin() + static_cast<std::ptrdiff_t>(c.markedRecord * 1104 + 1100), 4, 0xFF);
    const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->midlets[5]->launchText, "1: b");
    EXPECT_EQ(parsed->patches,
              (std::vector<PatchTarget>{{2, static_cast<std::uint16_t>(2 * 1104 + c.launchText)},
                                        {5, static_cast<std::uint16_t>(5 * 1104 + c.launchText)}}));
  }
}

TEST(J2mestTest, OnlyADigitColonBlankWithTheCoreletFlagIsListed) {
  for (const char* launchText : {"", "2:", "2:x", "x: a", ": a", "22: a", "demo.Main"}) {
    const Bytes file = J2mestFile(kJ2mest708, 0, {{1, "Name", "Vendor", launchText, true}});
    const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(parsed->midlets[1]) << launchText;
    EXPECT_TRUE(parsed->patches.empty()) << launchText;
  }
}

TEST(J2mestTest, ARecordWithoutNameOrEntryBitLeavesItsSlotEmpty) {
  Bytes file =
      J2mestFile(kJ2mest1112, 0, {{0, "", "Vendor", "1: a", true}, {1, "N", "V", "1: b", true}});
  file[1 * 1112 + 1] = 0xFE;
  const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->midlets, MidletTable{});
  EXPECT_TRUE(parsed->patches.empty());
}

// Texts without a terminator stop at the next field, and the launch text at the record's end.
TEST(J2mestTest, UnterminatedTextsStopAtTheirFieldEnd) {
  Bytes file = J2mestFile(kJ2mest652, 3, {});
  const auto record = file.begin() + 3 + 652 * 29;
  std::fill(record, record + 652, 'x');
  record[0] = 0x01;
  const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(file);
  ASSERT_TRUE(parsed);
  ASSERT_TRUE(parsed->midlets[29]);
  EXPECT_EQ(parsed->midlets[29]->name, std::string(33, 'x'));
  EXPECT_EQ(parsed->midlets[29]->vendor, std::string(63, 'x'));
  EXPECT_EQ(parsed->midlets[29]->launchText, std::string(552, 'x'));
}

TEST(J2mestTest, TheLaunchTextFieldHoldsAtMost32BytesAndATerminator) {
  struct Case {
    std::size_t nameSize;
    std::size_t kept;
  };
  for (const Case c : {Case{5, 5}, Case{32, 32}, Case{33, 32}, Case{40, 32}}) {
    Bytes file(100, 0xEE);
    ASSERT_TRUE(WriteLaunchTextField(file, 10, std::string(c.nameSize, 'n')));
    Bytes expected(100, 0xEE);
    std::fill_n(expected.begin() + 10, 33, 0);
    std::fill_n(expected.begin() + 10, c.kept, 'n');
    EXPECT_EQ(file, expected) << c.nameSize;
  }
  Bytes small(40, 0xEE);
  EXPECT_FALSE(WriteLaunchTextField(small, 8, "Name"));
  EXPECT_FALSE(WriteLaunchTextField(small, 41, "Name"));
  EXPECT_EQ(small, Bytes(40, 0xEE));
}

TEST(J2mestTest, MidletNameOfAJad) {
  struct Case {
    const char* jad;
    const char* name;
  };
  const Case cases[] = {
      {"MIDlet-Name: Chess\r\nMIDlet-1: Chess, /chess.png, chess.Main\r\n", "Chess"},
      {"MIDlet-1:Chess Pro,,chess.Main", "Chess Pro"},
      {"  \tMIDlet-1:   Chess  , /i.png, c \r\n", "Chess"},
      {"MIDlet-1: A, /a.png, a\nMIDlet-1: B, /b.png, b\n", "AB"},
      {"MIDlet-1: A , x\nMIDlet-1: B\n", "A B"},
      {"MIDlet-1:\r\nMIDlet-1: X", "X"},
      {"MIDlet-1: ", ""},
      {"MIDlet-1:,x,y", ""},
      {"midlet-1: Chess, /c.png, c\r\nMIDLET-1: Chess, /c.png, c", ""},
      {"MIDlet-2: Other, /o.png, o\rMIDlet-1: Mac, /m.png, m\r", "Mac"},
      {"MIDlet-1: No comma at all", "No comma at all"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadJadMidletName(c.jad), c.name) << c.jad;
}

}  // namespace
}  // namespace menuforge::test

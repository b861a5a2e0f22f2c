#include <gtest/gtest.h>

#include "base/text_encoding.h"
#include "base/user_messages.h"
#include "menu/languages.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

TEST(TextHelpers, Ucs2BigEndianRoundTrip) {
  EXPECT_EQ(WideToUcs2Be(u"AB"), HexBytes("00 41 00 42 00 00"));
  EXPECT_EQ(WideToUcs2Be(u""), HexBytes("00 00"));
  EXPECT_EQ(Ucs2BeLength(HexBytes("00 41 00 42 00 00")), 2u);
  EXPECT_EQ(Ucs2BeToWide(HexBytes("04 1F 00 00 00 41")), u"\u041F");
  // No terminator and an odd trailing byte: only whole units before the end count.
  EXPECT_EQ(Ucs2BeToWide(HexBytes("00 41 00")), u"A");
}

TEST(TextHelpers, DecimalConversionWrapsAt16Bits) {
  EXPECT_EQ(DecimalToU16(u"65536"), 0);
  EXPECT_EQ(DecimalToU16(u"65535"), 65535);
  EXPECT_EQ(DecimalToU16(u""), 0);
  EXPECT_EQ(U16ToWide(5000), u"5000");
  EXPECT_EQ(U16ToWide(0), u"0");
}

TEST(TextHelpers, ZeroTerminatedTexts) {
  EXPECT_EQ(ZeroTextToString(HexBytes("41 42 00 43")), "AB");
  EXPECT_EQ(ZeroTextToString(HexBytes("41 42")), "AB");
  EXPECT_EQ(ZeroTextLength(HexBytes("00")), 0u);
  EXPECT_EQ(StringToZeroText("AB"), HexBytes("41 42 00"));
}

TEST(TextHelpers, LanguageNamesAndHex) {
  EXPECT_EQ(LanguageName(0), "");
  EXPECT_EQ(LanguageName(48), "");
  EXPECT_EQ(LanguageName(47), "Bahasa Malay");
  EXPECT_EQ(LanguageName(3), "English UK");
  EXPECT_EQ(ByteToHex(0xCD), "CD");
  EXPECT_EQ(BytesToHex(HexBytes("00 0a ff")), "00 0A FF");
}

TEST(TextHelpers, Utf8AndLatin1) {
  EXPECT_EQ(WideToUtf8(u"Привет"), "Привет");
  EXPECT_EQ(Utf8ToWide("Привет €"), u"Привет €");
  EXPECT_EQ(Latin1ToUtf8("\xE9"), "é");
  EXPECT_EQ(*Utf8ToLatin1("é"), "\xE9");
  EXPECT_EQ(Utf8ToLatin1("€").errorText(), kBeyondLatin1Text);
}

// A hostile file's names and warnings must not fill the screen.
TEST(MessageTexts, NamesAreCutAndWarningListsEndAfterTen) {
  EXPECT_EQ(QuotedForMessage("Games"), "\"Games\"");
  EXPECT_EQ(QuotedForMessage(std::string(80, 'x')), "\"" + std::string(80, 'x') + "\"");
  EXPECT_EQ(QuotedForMessage(std::string(100'000'000, 'x')),
            "\"" + std::string(80, 'x') + "\u2026\"");

  for (const std::size_t count : {0u, 10u, 11u, 5000u}) {
    std::vector<std::string> warnings;
    for (std::size_t i = 0; i < count; ++i) warnings.push_back("w" + std::to_string(i));
    const std::vector<std::string> shown = ShownWarnings(warnings);
    ASSERT_EQ(shown.size(), std::min<std::size_t>(count, 11)) << count;
    if (count > 10) {
      EXPECT_EQ(shown[9], "w9");
      EXPECT_EQ(shown[10], "\u2026 and " + std::to_string(count - 10) + " more");
    }
  }
}

TEST(TextHelpers, ControlBytes) {
  for (const std::string& text :
       {std::string("a\tb"), std::string("\x01"), std::string("x\x7F"), std::string(1, '\0')})
    EXPECT_TRUE(HasControlByte(text)) << BytesToHex(Bytes(text.begin(), text.end()));
  for (const std::string text : {"", "Text Msg", "~12", "Caf\xE9"})
    EXPECT_FALSE(HasControlByte(text));
}

}  // namespace
}  // namespace menuforge::test

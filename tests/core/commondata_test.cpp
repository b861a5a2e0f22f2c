#include <gtest/gtest.h>

#include "menu/commondata.h"
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

TEST(TextHelpers, LanguageCodesAndHex) {
  EXPECT_EQ(LanguageCode(1), "01");
  EXPECT_EQ(LanguageCode(47), "2F");
  EXPECT_EQ(LanguageCode(0), "");
  EXPECT_EQ(LanguageCode(48), "");
  EXPECT_EQ(LanguageName(47), "Bahasa Malay");
  EXPECT_EQ(LanguageName(3), "English UK");
  EXPECT_EQ(ByteToHex(0xCD), "CD");
  EXPECT_EQ(BytesToHex(HexBytes("00 0a ff")), "00 0A FF");
}

TEST(TextHelpers, Utf8AndLatin1) {
  EXPECT_EQ(WideToUtf8(u"Привет"), "Привет");
  EXPECT_EQ(Utf8ToWide("Привет €"), u"Привет €");
  EXPECT_EQ(Latin1ToUtf8("\xE9"), "é");
  std::string latin1;
  EXPECT_TRUE(Utf8ToLatin1("é", latin1));
  EXPECT_EQ(latin1, "\xE9");
  EXPECT_FALSE(Utf8ToLatin1("€", latin1));
}

}  // namespace
}  // namespace menuforge::test

// The item editor's input checks and the exact texts of their refusals.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/text_encoding.h"
#include "editor/core/field_checks.h"
#include "menu/icon_path_rule.h"

namespace menuforge {
namespace {

struct PathCase {
  std::u16string path;
  std::optional<InputFault> fault;
};

TEST(ItemEditorChecks, PhonePaths) {
  const PathCase cases[] = {
      {u"", std::nullopt},
      {u"/", std::nullopt},
      {u"/a", std::nullopt},
      {u"/a/", std::nullopt},
      {u"/e/picture_1(2).gif", std::nullopt},
      {u"/b/[x]-y.z/w.gif", std::nullopt},
      // Cyrillic letters and an Arabic-Indic digit.
      {u"/c/\u0424\u043E\u0442\u043E\u0661.gif", std::nullopt},
      {u"a", InputFault::PathDelimiter},
      {u"/ab", InputFault::PathDelimiter},
      {u"/a\\x", InputFault::PathDelimiter},
      {u"/d", InputFault::VolumeLetter},
      {u"/A", InputFault::VolumeLetter},
      {u"/a/my file.gif", InputFault::FileNameCharacter},
      {u"/a/x*.gif", InputFault::FileNameCharacter},
      {u"/a/\u00B2", InputFault::FileNameCharacter},        // a superscript is no decimal digit
      {u"/a/\xD83D\xDE00", InputFault::FileNameCharacter},  // UCS-2 has no room for an emoji
  };
  for (const PathCase& c : cases) EXPECT_EQ(CheckPhonePath(c.path), c.fault) << WideToUtf8(c.path);
}

struct NumberCase {
  std::u16string text;
  NumberRange range;
  std::optional<InputFault> fault;
};

TEST(ItemEditorChecks, Numbers) {
  const NumberCase cases[] = {
      {u"", kDrmIconNumberRange, std::nullopt},
      {u"1", kDrmIconNumberRange, std::nullopt},
      {u"4000", kDrmIconNumberRange, std::nullopt},
      {u"0", kDrmIconNumberRange, InputFault::ValueTooSmall},
      {u"0000", kDrmIconNumberRange, InputFault::ValueTooSmall},
      {u"4001", kDrmIconNumberRange, InputFault::ValueTooBig},
      {u"5000", kDrmIconNumberRange, InputFault::ValueTooBig},
      {u"12x", kDrmIconNumberRange, InputFault::InvalidNumber},
      {u"-1", kDrmIconNumberRange, InputFault::InvalidNumber},
      {u" 1", kDrmIconNumberRange, InputFault::InvalidNumber},
      {u"\u0663", kDrmIconNumberRange, InputFault::InvalidNumber},
      {u"99999999999999999999999", kDrmIconNumberRange, InputFault::ValueTooBig},
      {u"0", kActionCodeRange, std::nullopt},
      {u"65535", kActionCodeRange, std::nullopt},
      {u"65536", kActionCodeRange, InputFault::ValueTooBig},
      {u"255", kCodeByteRange, std::nullopt},
      {u"256", kCodeByteRange, InputFault::ValueTooBig},
  };
  for (const NumberCase& c : cases)
    EXPECT_EQ(CheckNumber(c.text, c.range), c.fault) << WideToUtf8(c.text);
}

TEST(ItemEditorChecks, MessagesCarryTheReasonAndTheNotice) {
  const std::pair<InputFault, std::string> texts[] = {
      {InputFault::PathDelimiter, "Invalid path delimiter. Expecting '/'"},
      {InputFault::VolumeLetter, "Invalid volume letter. Expecting a,b,c,e"},
      {InputFault::FileNameCharacter, "Invalid character in file name"},
      {InputFault::InvalidNumber, "Invalid numeric value"},
      {InputFault::ValueTooBig, "Value too big"},
      {InputFault::ValueTooSmall, "Value too small"},
  };
  for (const auto& [fault, reason] : texts)
    EXPECT_EQ(InputFaultMessage(fault), (Message{reason + "\r\nInput will be ignored",
                                                 "Input format error", MessageIcon::Error}));
}

TEST(ItemEditorChecks, EightBitTexts) {
  EXPECT_EQ(CheckEightBitText(u"http://x.y/\u00E9\u00FF"), std::nullopt);
  EXPECT_EQ(CheckEightBitText(u"\u0100"), InputFault::NotEightBit);
  EXPECT_EQ(CheckEightBitText(std::u16string(1, u'\0')), InputFault::NotEightBit);
}

TEST(ItemEditorChecks, EntryTextsHoldAtMost399Characters) {
  EXPECT_EQ(CheckEntryText(std::u16string(399, u'x')), std::nullopt);
  const std::optional<Message> refused = CheckEntryText(std::u16string(400, u'x'));
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->text, EntryTooLongText());
  EXPECT_EQ(refused->icon, MessageIcon::Error);
}

TEST(ItemEditorChecks, LetterOrDigitClassEdges) {
  for (char16_t c : {u'0', u'9', u'A', u'z', u'\u00AA', u'\u00C0', u'\u4E00', u'\uFFDC'})
    EXPECT_TRUE(IsLetterOrDigit(c)) << static_cast<int>(c);
  for (char16_t c : {u'\0', u'/', u' ', u'\u00D7', u'\u2160', u'\xD800', u'\uFFFF'})
    EXPECT_FALSE(IsLetterOrDigit(c)) << static_cast<int>(c);
}

}  // namespace
}  // namespace menuforge

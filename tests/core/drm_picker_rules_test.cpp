// The DRM Icon Picker's number field and up-down control, without a window.
#include <gtest/gtest.h>

#include "editor/core/drm_picker_rules.h"

namespace menuforge {
namespace {

struct DigitCase {
  std::u16string text;
  std::size_t selectionStart;
  std::size_t selectionEnd;
  char16_t digit;
  std::optional<std::uint16_t> number;
};

TEST(DrmPickerRules, DigitAtTheCaretOrOverTheSelection) {
  const DigitCase cases[] = {
      {u"", 0, 0, u'0', std::nullopt},  // 0 in an emptied field
      {u"", 0, 0, u'7', std::nullopt},  // above the maximum of 5
      {u"", 0, 0, u'5', 5},
      {u"1", 1, 1, u'0', std::nullopt},  // 10
      {u"1", 0, 1, u'3', 3},             // the selection replaced
      {u"4", 0, 0, u'0', 4},             // 04
      {u"2", 0, 0, u'1', std::nullopt},  // 12
  };
  for (const DigitCase& c : cases)
    EXPECT_EQ(NumberAfterDigit(c.text, c.selectionStart, c.selectionEnd, c.digit, 5), c.number)
        << std::string(c.text.begin(), c.text.end()) << " + " << char(c.digit);
  EXPECT_EQ(NumberAfterDigit(u"6553", 4, 4, u'5', 65535), 65535);
  EXPECT_EQ(NumberAfterDigit(u"6553", 4, 4, u'6', 65535), std::nullopt);
}

TEST(DrmPickerRules, KeysAndUpDown) {
  EXPECT_EQ(ClassifyNumberKey(u'9'), NumberKey::Digit);
  EXPECT_EQ(ClassifyNumberKey(u'\b'), NumberKey::Edit);
  EXPECT_EQ(ClassifyNumberKey(u'a'), NumberKey::Swallow);
  EXPECT_EQ(ClassifyNumberKey(u'\x16'), NumberKey::Swallow);  // Ctrl+V
  EXPECT_EQ(UpDownStep(5, 5, true), 1);
  EXPECT_EQ(UpDownStep(1, 5, false), 5);
  EXPECT_EQ(UpDownStep(3, 5, true), 4);
  EXPECT_EQ(UpDownStep(1, 0, true), 1);
}

}  // namespace
}  // namespace menuforge

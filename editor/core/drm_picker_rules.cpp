#include "editor/core/drm_picker_rules.h"

#include <algorithm>
#include <limits>

namespace menuforge {

std::uint16_t PickerMaximum(const DrmBinary& binary) {
  return static_cast<std::uint16_t>(
      std::min<std::size_t>(binary.highestNumber(), std::numeric_limits<std::uint16_t>::max()));
}

std::uint16_t UpDownStep(std::uint16_t position, std::uint16_t maximum, bool up) {
  if (maximum == 0) return position;
  if (up) return position >= maximum ? 1 : static_cast<std::uint16_t>(position + 1);
  return position <= 1 || position > maximum ? maximum : static_cast<std::uint16_t>(position - 1);
}

NumberKey ClassifyNumberKey(char16_t character) {
  if (character >= u'0' && character <= u'9') return NumberKey::Digit;
  if (character == u'\b' || character == u'\x7f') return NumberKey::Edit;
  return NumberKey::Swallow;
}

std::optional<std::uint16_t> NumberAfterDigit(std::u16string_view text, std::size_t selectionStart,
                                              std::size_t selectionEnd, char16_t digit,
                                              std::uint16_t maximum) {
  selectionEnd = std::min(selectionEnd, text.size());
  selectionStart = std::min(selectionStart, selectionEnd);
  std::u16string typed(text.substr(0, selectionStart));
  typed += digit;
  typed += text.substr(selectionEnd);
  unsigned long value = 0;
  for (char16_t c : typed) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > maximum) return std::nullopt;
  }
  if (value < 1) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

std::string SizeLabelText(const std::optional<DrmPicture>& picture) {
  if (!picture) return kNoImageText;
  return kSizeLabelPrefix + std::to_string(picture->size.width) + "x" +
         std::to_string(picture->size.height);
}

}  // namespace menuforge

#include "editor/core/field_checks.h"

#include <algorithm>
#include <string>

#include "menu/item_data.h"

namespace menuforge {
namespace {

constexpr char kEntryTooLongSource[] = MENUFORGE_TEXT(
    "core", "A title or text holds at most %1 characters.\r\nShorten it, then press OK again");

std::string_view FaultText(InputFault fault) {
  switch (fault) {
    case InputFault::PathDelimiter: return kPathDelimiterText;
    case InputFault::VolumeLetter: return kVolumeLetterText;
    case InputFault::FileNameCharacter: return kFileNameCharacterText;
    case InputFault::InvalidNumber: return kInvalidNumberText;
    case InputFault::ValueTooBig: return kValueTooBigText;
    case InputFault::ValueTooSmall: return kValueTooSmallText;
    case InputFault::NotEightBit: return kNotEightBitText;
  }
  return {};
}

}  // namespace

Message InputFaultMessage(InputFault fault) {
  return FilledMessage(MENUFORGE_TEXT("core", "%1\r\nInput will be ignored"),
                       {std::string(FaultText(fault))}, kInputErrorCaption, MessageIcon::Error);
}

std::optional<InputFault> CheckPhonePath(std::u16string_view path) {
  const std::optional<PhonePathFault> fault = CheckIconPathRule(path);
  if (!fault) return std::nullopt;
  switch (*fault) {
    case PhonePathFault::PathDelimiter: return InputFault::PathDelimiter;
    case PhonePathFault::VolumeLetter: return InputFault::VolumeLetter;
    case PhonePathFault::FileNameCharacter: return InputFault::FileNameCharacter;
  }
  return std::nullopt;
}

std::optional<InputFault> CheckNumber(std::u16string_view text, NumberRange range) {
  if (text.empty()) return std::nullopt;
  unsigned long long value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return InputFault::InvalidNumber;
    // Saturates, so that any run of digits stays comparable with the range.
    value = std::min<unsigned long long>(value * 10 + (c - u'0'), 1ULL << 32);
  }
  if (value < range.minimum) return InputFault::ValueTooSmall;
  if (value > range.maximum) return InputFault::ValueTooBig;
  return std::nullopt;
}

std::optional<InputFault> CheckEightBitText(std::u16string_view text) {
  const bool fits =
      std::all_of(text.begin(), text.end(), [](char16_t c) { return c != 0 && c <= 0xFF; });
  if (!fits) return InputFault::NotEightBit;
  return std::nullopt;
}

std::optional<Message> CheckEntryText(std::u16string_view text) {
  if (text.size() <= kMaxTitleCharacters) return std::nullopt;
  return FilledMessage(kEntryTooLongSource, {std::to_string(kMaxTitleCharacters)},
                       kInputErrorCaption, MessageIcon::Error);
}

std::string EntryTooLongText() {
  return FilledText(kEntryTooLongSource, {std::to_string(kMaxTitleCharacters)});
}

}  // namespace menuforge

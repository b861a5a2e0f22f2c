// Checks of what the user types into the item editor, and the texts of their refusals.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/user_messages.h"
#include "menu/icon_path_rule.h"

namespace menuforge {

inline constexpr char kInputErrorCaption[] = MENUFORGE_TEXT("core", "Input format error");

inline constexpr char kInvalidNumberText[] = MENUFORGE_TEXT("core", "Invalid numeric value");
inline constexpr char kValueTooBigText[] = MENUFORGE_TEXT("core", "Value too big");
inline constexpr char kValueTooSmallText[] = MENUFORGE_TEXT("core", "Value too small");
// URLs, MIDlet texts and shortcut data are 8-bit in the file.
inline constexpr char kNotEightBitText[] =
    MENUFORGE_TEXT("core", "Character outside the 8-bit character set (Latin-1)");

enum class InputFault {
  PathDelimiter,
  VolumeLetter,
  FileNameCharacter,
  InvalidNumber,
  ValueTooBig,
  ValueTooSmall,
  NotEightBit,
};

// The reason's text, a line break and "Input will be ignored", as an error box.
Message InputFaultMessage(InputFault fault);

// A phone path as typed, by the icon path rule.
std::optional<InputFault> CheckPhonePath(std::u16string_view path);

struct NumberRange {
  unsigned minimum;
  unsigned maximum;
};
inline constexpr NumberRange kDrmIconNumberRange{1, 4000};
inline constexpr NumberRange kActionCodeRange{0, 65535};
inline constexpr NumberRange kCodeByteRange{0, 255};

// Decimal digits only, within the range. An empty field passes.
std::optional<InputFault> CheckNumber(std::u16string_view text, NumberRange range);

// Every character fits one byte and is not the terminator.
std::optional<InputFault> CheckEightBitText(std::u16string_view text);

// The row text of the entry dialogs: a title entry holds at most 399 characters.
std::optional<Message> CheckEntryText(std::u16string_view text);
// "A title or text holds at most 399 characters.\r\n...", what CheckEntryText refuses with.
std::string EntryTooLongText();

}  // namespace menuforge

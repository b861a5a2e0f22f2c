// The rule a phone path must follow to be stored as an icon path: "/", a volume letter, "/",
// then letters, digits and a few marks. The item editor checks what is typed by it, and the
// picture picker shows which files it cannot hand over, so both judge by this one rule.
#pragma once

#include <optional>
#include <string_view>

#include "base/marked_text.h"

namespace menuforge {

inline constexpr char kPathDelimiterText[] =
    MENUFORGE_TEXT("core", "Invalid path delimiter. Expecting '/'");
inline constexpr char kVolumeLetterText[] =
    MENUFORGE_TEXT("core", "Invalid volume letter. Expecting a,b,c,e");
inline constexpr char kFileNameCharacterText[] =
    MENUFORGE_TEXT("core", "Invalid character in file name");

enum class PhonePathFault { PathDelimiter, VolumeLetter, FileNameCharacter };

// A letter or a decimal digit of any script.
bool IsLetterOrDigit(char16_t c);

// An unfinished path such as "/a" passes, so that typing is never refused halfway. An empty
// path passes.
std::optional<PhonePathFault> CheckIconPathRule(std::u16string_view path);
std::string_view PhonePathFaultText(PhonePathFault fault);

}  // namespace menuforge

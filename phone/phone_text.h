// Phone paths are 8-bit. Texts from windows (typed folder names, the "Use path" field) and the
// names of local files become phone paths only when every character fits one byte; anything
// else is refused rather than sent with its characters cut down to their low byte.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/user_messages.h"

namespace menuforge {

inline constexpr char kNotEightBitPathPrefix[] =
    "The phone takes only 8-bit (Latin-1) characters in its paths: ";

// The 8-bit form, or nothing when a character lies above U+00FF or is the terminator.
std::optional<std::string> PhoneText(std::u16string_view text);
// The phone's form of a local file's name (UTF-8 on disk), or nothing.
std::optional<std::string> PhoneNameOfLocal(const std::filesystem::path& local);
// A phone file's name as a local file name.
std::filesystem::path LocalNameOfPhone(std::string_view name);
// A phone path as messages show it.
std::string ShownPhonePath(std::string_view path);
// The refusal of `shown` (UTF-8), an error box.
Message NotEightBitMessage(std::string_view shown);

}  // namespace menuforge

// The phone's title languages.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace menuforge {

// The phone's 47 title languages; a language ID is the position in this table plus 1.
inline constexpr std::size_t kLanguageCount = 47;
extern const std::array<std::string_view, kLanguageCount> LanguageTable;

// The language's name, or empty when the ID is outside 1..47.
std::string_view LanguageName(std::uint8_t languageId);

}  // namespace menuforge

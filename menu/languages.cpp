#include "menu/languages.h"

namespace menuforge {

// clang-format off
const std::array<std::string_view, kLanguageCount> LanguageTable = {
    "English US", "Arabic", "English UK", "Chinese Complex", "Chinese Simple", "French",
    "German", "Hebrew", "Italian", "Spanish", "Thai", "Vietnamese", "Canadian French",
    "American Spanish", "Bahasa", "Bulgarian", "Croatian", "Czech", "Danish", "Dutch",
    "Estonian", "Finnish", "Greek", "Hungarian", "Japanese", "Korean", "Latvian", "Lithuanian",
    "Malay", "Norwegian", "Polish", "Portuguese", "American Portuguese", "Romanian", "Russian",
    "Serbian", "Slovak", "Slovenian", "Tagalog", "Turkish", "Ukrainian", "Brazilian Portuguese",
    "Swedish", "Farsi", "Urdu", "Hindi", "Bahasa Malay"};
// clang-format on

std::string_view LanguageName(std::uint8_t languageId) {
  if (languageId < 1 || languageId > kLanguageCount) return {};
  return LanguageTable[languageId - 1];
}

}  // namespace menuforge

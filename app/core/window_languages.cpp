#include "app/core/window_languages.h"

#include <algorithm>

namespace menuforge {
namespace {

bool Known(std::string_view code) {
  return std::any_of(std::begin(kWindowLanguages), std::end(kWindowLanguages),
                     [code](const WindowLanguage& language) { return language.code == code; });
}

}  // namespace

std::string TranslationToLoad(std::string_view chosen,
                              const std::vector<std::string>& systemLanguages) {
  if (!chosen.empty() && Known(chosen)) return chosen == "en" ? std::string() : std::string(chosen);
  for (std::string locale : systemLanguages) {
    std::replace(locale.begin(), locale.end(), '-', '_');
    const std::string language = locale.substr(0, locale.find('_'));
    if (language == "en") return {};
    if (Known(locale) && !locale.empty()) return locale;
    // Only a translation without a region stands in for every region of its language.
    if (Known(language) && !language.empty()) return language;
  }
  return {};
}

}  // namespace menuforge

// The languages the window can speak, and which translation a start loads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/marked_text.h"

namespace menuforge {

struct WindowLanguage {
  // The translation's name, as the settings file stores it; empty follows the system.
  const char* code;
  // Each language by its own name, so that a user finds it in a window they cannot read.
  const char* name;
};

inline constexpr WindowLanguage kWindowLanguages[] = {
    {"", MENUFORGE_TEXT("core", "System default")},
    {"en", "English"},
    {"de", "Deutsch"},
    {"ru", "\u0420\u0443\u0441\u0441\u043a\u0438\u0439"},
    {"pt_BR", "Portugu\u00eas (Brasil)"},
    {"es", "Espa\u00f1ol"},
};

// The translation to load, or empty for English. A language chosen in the settings wins; with
// none (or one this build does not know) the system's languages are taken in their order, given
// as locales name them ("pt-BR", "de_AT", "ru"): the first that is English or has a
// translation decides, a region falling back to its language's translation when that one has
// no region of its own.
std::string TranslationToLoad(std::string_view chosen,
                              const std::vector<std::string>& systemLanguages);

}  // namespace menuforge

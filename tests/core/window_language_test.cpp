#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/window_languages.h"
#include "base/marked_text.h"

namespace menuforge {
namespace {

struct FillCase {
  const char* source;
  std::vector<std::string> values;
  const char* expected;
};

TEST(FilledText, PutsEachValueInItsPlaceholder) {
  const FillCase cases[] = {
      {"Value too big", {}, "Value too big"},
      {"%1\r\nInput will be ignored",
       {"Value too small"},
       "Value too small\r\nInput will be ignored"},
      {"%2 before %1, %1 again", {"a", "b"}, "b before a, a again"},
      {"A value holding %2 is not filled again: %1",
       {"%2", "x"},
       "A value holding x is not filled again: %2"},
      {"No value for %3, 100% and a closing %", {"a"}, "No value for %3, 100% and a closing %"},
      {"%0 is no placeholder", {"a"}, "%0 is no placeholder"},
      {"%10", {"one"}, "one0"},
  };
  for (const FillCase& c : cases) EXPECT_EQ(FilledText(c.source, c.values), c.expected) << c.source;
}

struct LanguageCase {
  const char* chosen;
  std::vector<std::string> system;
  const char* expected;
};

TEST(TranslationToLoad, ChoiceFirstThenTheSystemsLanguagesInOrder) {
  const LanguageCase cases[] = {
      {"", {"de-DE", "de"}, "de"},    {"", {"de_AT"}, "de"}, {"", {"pt-BR"}, "pt_BR"},
      {"", {"pt-PT", "es-ES"}, "es"}, {"", {"ru-RU"}, "ru"}, {"", {"en-US", "de-DE"}, ""},
      {"", {"fr-FR", "ru"}, "ru"},    {"", {"C"}, ""},       {"", {}, ""},
      {"de", {"ru-RU"}, "de"},        {"en", {"ru-RU"}, ""}, {"pt_BR", {"en-US"}, "pt_BR"},
      {"klingon", {"es-MX"}, "es"},
  };
  for (const LanguageCase& c : cases)
    EXPECT_EQ(TranslationToLoad(c.chosen, c.system), c.expected)
        << c.chosen << " / " << (c.system.empty() ? "" : c.system.front());
}

}  // namespace
}  // namespace menuforge

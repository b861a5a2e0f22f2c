// What the item editor asks of its two entry dialogs, and the language each of them remembers.
#pragma once

#include <cstddef>
#include <string>

namespace menuforge {

enum class EntryDialog { NameSettings, TextEditor };

// Positions in LanguageTable of the language last opened with "Edit", one per dialog, kept for
// the whole run.
struct EntryLanguageMemory {
  std::size_t nameSettings = 0;
  std::size_t textEditor = 0;
  std::size_t& of(EntryDialog dialog) {
    return dialog == EntryDialog::NameSettings ? nameSettings : textEditor;
  }
};

struct EntryRequest {
  EntryDialog dialog = EntryDialog::NameSettings;
  std::size_t languagePosition = 0;
  std::u16string text;
};

}  // namespace menuforge

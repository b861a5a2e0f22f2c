// Puts the window in the user's language at start.
#pragma once

#include <string>

namespace menuforge {

// Installs the program's translation for `chosenLanguage` (a settings value, empty for the
// system's) and Qt's own for its standard buttons. The program's translations are looked for in
// the installed data folder, then beside the build's bin/; a missing one leaves English.
void LoadWindowTranslation(const std::string& chosenLanguage);

}  // namespace menuforge

// What the item editor reads of the rest of the program and keeps between its uses.
#pragma once

#include <functional>

#include "editor/core/entry_request.h"
#include "editor/core/installed_midlets.h"
#include "editor/picker_interface.h"

namespace menuforge {

// The main window keeps one for the whole run. The facts the editor reads stay where the program
// keeps them: it asks for them when it opens.
struct EditorContext {
  std::function<bool()> phoneConnected = [] { return false; };
  // The connected phone's MIDlets as last read from it; none while null.
  const InstalledMidlets* midlets = nullptr;
  PickerSet pickers;
  EntryLanguageMemory languages;
};

}  // namespace menuforge

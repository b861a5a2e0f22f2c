// What the item editor reads of the rest of the program and keeps between its uses.
#pragma once

#include "editor/core/entry_request.h"
#include "editor/core/installed_midlets.h"
#include "editor/picker_interface.h"

namespace menuforge {

// The main window keeps one for the whole run, and brings the first two up to date before each
// "Modify item".
struct EditorContext {
  bool phoneConnected = false;
  bool saveAllData = false;
  InstalledMidlets midlets;
  PickerSet pickers;
  EntryLanguageMemory languages;
};

}  // namespace menuforge

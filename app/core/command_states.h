// Which of the main window's commands can be used, from the open menu and the phone.
#pragma once

#include "document/menu_document.h"

namespace menuforge {

struct CommandStates {
  bool save = false;
  bool saveAs = false;
  bool openFromPhone = false;
  bool saveToPhone = false;
  bool restartPhone = false;
  bool restoreBackup = false;
  // Adding entries from the available items: from the first New, Open or Open from phone on,
  // even one that brought no menu.
  bool itemList = false;

  bool operator==(const CommandStates&) const = default;
};

// While a transfer runs (`phoneBusy`) the phone is left to it: no other command reaches it.
CommandStates CommandStatesFor(const MenuDocument& document, bool phoneConnected, bool phoneBusy);

}  // namespace menuforge

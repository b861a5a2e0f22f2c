#include "app/core/command_states.h"

namespace menuforge {

CommandStates CommandStatesFor(const MenuDocument& document, bool phoneConnected, bool phoneBusy) {
  const bool menu = document.HasMenu();
  const bool phone = phoneConnected && !phoneBusy;
  CommandStates states;
  states.save = menu;
  states.saveAs = menu;
  states.itemList = document.begun();
  states.openFromPhone = phone;
  states.saveToPhone = phone && menu;
  states.restartPhone = phone;
  states.restoreBackup = phone;
  return states;
}

}  // namespace menuforge

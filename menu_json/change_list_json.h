// The change list that `diff --json` prints, as `apply` needs it: beside what the comparison
// shows, each entry carries its item name in the first menu ("base"), its content ("entry"),
// where it goes ("parent", "previous") and each field's bytes ("before-data", "after-data").
// A reference to a node is null (none), {"root": true} (the main menu), {"added": N} (the entry
// added by change N) or {"at": [indexes], "names": [...], "identifier": ...} (a node of the
// first menu).
#pragma once

#include <string>

#include "menu/change_list.h"
#include "menu_json/json_menu.h"

namespace menuforge::cli {

// Adds the carried form to the comparison's document, whose "entries" hold the changes in order.
void AddCarriedChanges(const ChangeList& changes, Json& document);

// Throws JsonMenuError naming the first fault and where it lies.
ChangeList ChangeListFromJson(const Json& document);

}  // namespace menuforge::cli

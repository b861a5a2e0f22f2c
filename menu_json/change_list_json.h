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

// What one change adds to its entry of the comparison's document ("base", "entry", "parent",
// "previous"), and what one field edit adds to its field ("before-data", "after-data"), in order.
Json CarriedEntryMembers(const CarriedChange& change);
Json CarriedFieldMembers(const FieldEdit& edit);

// Throws JsonMenuError naming the first fault and where it lies.
ChangeList ChangeListFromJson(const Json& document);

}  // namespace menuforge::cli

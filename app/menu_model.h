// The menu model as window code includes it. Qt defines `slots` as a macro, which would swallow
// the ItemDataRecord field of that name; the macro is set aside while the model's headers are
// read. Window files include this before any other header of the core.
#pragma once

#pragma push_macro("slots")
#undef slots
#include "menu/menu_tree.h"
#include "menu/tree_operations.h"
#pragma pop_macro("slots")

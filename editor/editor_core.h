// The editor's core as window code includes it. Qt defines `slots` as a macro, which would
// swallow the ItemDataRecord field of that name; the macro is set aside while the core's headers
// are read. Window files include this before any other header of the core.
#pragma once

#pragma push_macro("slots")
#undef slots
#include "editor/core/item_editor_model.h"
#include "editor/core/modify_item.h"
#pragma pop_macro("slots")

// The command-line tool reaching into the editor's rules.
#include "editor/core/modify_item.h"
#include "menu_json/json_menu.h"

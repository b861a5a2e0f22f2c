// Naming a folder of the menu the way a person types it: "Games/Puzzles" or "~3/Tools".
#pragma once

#include <string_view>

#include "base/result.h"
#include "menu/menu_tree.h"

namespace menuforge {

// Parts joined by "/" lead down from "Menu Root"; each names a child by its item identifier, by
// one of its menu titles (UTF-8, any language) or by its display name. The first child that
// matches is taken. An empty path names "Menu Root". The folder found is never null; a failure
// says which part led nowhere.
Result<const MenuNode*> FindFolder(const MenuTree& tree, std::string_view path);

}  // namespace menuforge

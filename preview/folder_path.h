// Naming a folder of the menu the way a person types it: "Games/Puzzles" or "~3/Tools".
#pragma once

#include <string>
#include <string_view>

#include "menu/menu_tree.h"

namespace menuforge {

struct FolderSearch {
  const MenuNode* folder = nullptr;  // nullptr when not found
  std::string error;                 // why, when not found
};

// Parts joined by "/" lead down from "Menu Root"; each names a child by its item identifier, by
// one of its menu titles (UTF-8, any language) or by its display name. The first child that
// matches is taken. An empty path names "Menu Root".
FolderSearch FindFolder(const MenuTree& tree, std::string_view path);

}  // namespace menuforge

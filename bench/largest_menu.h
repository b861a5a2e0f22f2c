// The largest menu the format holds, for the benchmarks that load, save and compare it.
#pragma once

#include "menu/item_table.h"
#include "menu/menu_tree.h"

namespace menuforge {

// The two items the largest menu is made of, with the default soft keys.
const ItemTable& LargestMenuItems();

// 245 entries (20 folders in the main menu, the rest spread over them) and, on every soft key
// and entry, a two-language menu title of 58 characters each, a DRM icon and an action: 260
// bytes a node, 65520 bytes in all. `letter` fills the titles, so two menus of different letters
// differ in every entry.
void BuildLargestMenu(MenuTree& tree, char16_t letter = u'M');

}  // namespace menuforge

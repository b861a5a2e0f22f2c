// A menu that exercises every kind of chunk, for tests that need rich data.
#pragma once

#include "menu/item_data.h"
#include "menu/menu_tree.h"

namespace menuforge::test {

// Gives a node data the way the item editor's OK does.
void AttachSampleData(MenuTree& tree, MenuNode& node, ItemDataRecord record);

// Builds (into an empty tree) a menu whose entries carry every chunk kind: menu, soft key and
// show text titles (one with a lone surrogate), file and DRM icons of each kind, URL and MIDlet
// texts with a Latin-1 letter, the three codes, an emulated action, shortcut data and an unknown
// group. Every item name is in the built-in item base (or custom) and at most 12 characters
// long, so the menu saves under "Default" in both record sizes.
void BuildSampleMenu(MenuTree& tree);

}  // namespace menuforge::test

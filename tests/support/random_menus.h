// Seeded random menus built through the editing operations, for property and robustness tests.
#pragma once

#include <cstdint>

#include "menu/format_options.h"
#include "menu/item_table.h"
#include "menu/menu_tree.h"

namespace menuforge::test {

// The items random menus are made of: the soft key defaults, a few plain items and two shortcut
// items. Every identifier fits the 12-byte name field of 22-byte records.
const ItemTable& RandomMenuItems();

struct RandomMenu {
  MenuTree tree;
  FormatOptions options;  // random record size, c698p fix, icon attribute and "Save all data"
};

// The same seed always gives the same menu. The menu stays within what a file can hold: at most
// 245 entries and at most 65535 data bytes even when "Save all data" counts the unknown chunks.
RandomMenu MakeRandomMenu(std::uint32_t seed);

}  // namespace menuforge::test

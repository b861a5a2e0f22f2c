// A menu file parsed as the loader leaves it, and the item base a load makes of missing items.
#pragma once

#include <vector>

#include "base/bytes.h"
#include "menu/format_options.h"
#include "menu/item_table.h"
#include "menu/menu_tree.h"
#include "menu/mma_loader.h"

namespace menuforge::test {

struct LoadedMenu {
  MenuTree tree;
  FormatOptions options;
  FormatState state;
  LoadResult result = LoadFindings{};
};

LoadedMenu LoadedFrom(ByteView file, const ItemTable& items, bool profileIsDefault = true);

// `known` after the main window has added the items a "Default" load found missing.
ItemTable WithMissingItems(const ItemTable& known, const std::vector<MissingItem>& missing);

}  // namespace menuforge::test

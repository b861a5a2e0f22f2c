// The other side of a comparison: a menu that is only read. It is loaded as the command line
// loads one, under "Default" against the whole item base; the items the base lacks keep their
// identifiers and are not added to it, and nothing is written anywhere.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/text_encoding.h"
#include "menu/format_options.h"
#include "menu/item_table.h"
#include "menu/menu_comparison.h"
#include "menu/menu_tree.h"

namespace menuforge {

struct OtherMenu {
  MenuTree tree;
  FormatOptions options;

  ComparedMenu compared() const { return {tree, options}; }
};

struct LoadedOtherMenu {
  std::unique_ptr<OtherMenu> menu;
  std::vector<std::string> warnings;
};

// A failure, when the bytes hold no menu, is an error box saying why.
Result<LoadedOtherMenu> LoadOtherMenu(ByteView bytes, const ItemTable& items);
Result<LoadedOtherMenu> LoadOtherMenuFile(const std::filesystem::path& path,
                                          const ItemTable& items);
// A menu as New makes it, in `options`: what an untitled menu's changes are counted from.
std::unique_ptr<OtherMenu> NewOtherMenu(const FormatOptions& options);

}  // namespace menuforge

// Which edits the tree's context menus and drag and drop allow on a node.
#pragma once

#include <cstddef>

#include "menu/menu_tree.h"

namespace menuforge {

struct ItemMenuEnables {
  bool addSubitem = false;
  bool addItem = false;
  bool replace = false;
  bool operator==(const ItemMenuEnables&) const = default;
};

struct TreeMenuEnables {
  bool modifyItem = false;
  bool deleteItem = false;
  bool moveUp = false;
  bool moveDown = false;
  bool operator==(const TreeMenuEnables&) const = default;
};

enum class DragSource { TreeNode, ItemList };

// `selected` may be nullptr (no node selected).
ItemMenuEnables ItemMenuRules(const MenuTree& tree, const MenuNode* selected, bool hasCurrentEntry);
TreeMenuEnables TreeMenuRules(const MenuTree& tree, const MenuNode* selected);

// `target` is the node under the drop point (nullptr for none); `dragged` the node carried by a
// tree drag, unused for an entry of the item list.
bool AcceptsDrop(const MenuTree& tree, const MenuNode* target, DragSource source,
                 const MenuNode* dragged);

// A node that a drag opened stays open after the drop only when the dropped node lies in it.
bool StaysExpandedAfterDrop(const MenuNode& opened, const MenuNode& dropped);

}  // namespace menuforge

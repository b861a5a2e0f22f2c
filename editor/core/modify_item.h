// "Modify item" on the core side: what the editor is given of a node, and how its result
// reaches the node and the item data table.
#pragma once

#include "editor/core/item_editor_model.h"
#include "menu/menu_tree.h"

namespace menuforge {

// The node's data record, its three bytes, and whether it is a soft key (display position
// below 8: "Softkeys" or one of the seven keys).
EditedNode EditedNodeOf(const MenuTree& tree, const MenuNode& node);

// After "OK": with data, the node's record is replaced by what StoreItem writes, its owner
// key and the node's data length follow, and the node counts as modified; without data the
// record is freed and the node holds none. Either way the node takes the editor's item type,
// title mode and attribute byte.
void ApplyEditorResult(MenuTree& tree, MenuNode& node, ItemEditorModel& editor, bool saveAllData);

}  // namespace menuforge

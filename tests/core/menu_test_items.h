// A small item table and tree-building shorthands for the menu tests.
#pragma once

#include <string>

#include "menu/item_table.h"
#include "menu/menu_tree.h"
#include "menu/tree_operations.h"

namespace menuforge::test {

inline ItemTable TestItems() {
  std::vector<ItemBaseEntry> entries;
  for (const char* id : {"A", "B", "C", "A1", "A2", "A1a", "B1", "Games", "ABCDEFGHIJKLM"})
    entries.push_back({id, id, true});
  entries.push_back({"ABCDEFGHIJKL", "Twelve", true});
  entries.push_back({"DialedCalls", "DialedCalls [SC]", true});
  return WithDefaultSoftkeys(std::move(entries));
}

inline ItemBaseEntry Entry(const std::string& identifier) { return {identifier, identifier, true}; }

// A new menu ("New") with nothing in the main menu yet.
inline MenuTree NewMenu() {
  MenuTree tree;
  BuildSkeleton(tree);
  return tree;
}

inline MenuNode* AddLast(MenuTree& tree, MenuNode& parent, const std::string& identifier) {
  return AddEntry(tree, parent, Placement::LastChild, Entry(identifier), false);
}

inline ItemDataRecord Titles(TitleList list, std::vector<TitleEntry> titles) {
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::Titles(list, std::move(titles)));
  return record;
}

// Gives a node data the way the item editor's OK does.
inline void AttachData(MenuTree& tree, MenuNode& node, ItemDataRecord record) {
  tree.SetEntryData(node, std::move(record));
}

}  // namespace menuforge::test

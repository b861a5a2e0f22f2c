// What turned one menu into another, in a form that can be done to a third: each change says
// which entry it touches as the first menu had it, what it expects to find there and what it
// leaves, and where an added or moved entry goes as the second menu has it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "menu/field_content.h"
#include "menu/menu_comparison.h"

namespace menuforge {

// An entry without its children.
struct CarriedEntry {
  NodeRecord record;  // the item name, type, title mode, attributes, may-have-subitems flag
  std::string displayText;
  std::optional<ItemDataRecord> data;
};

// A node a change refers to.
struct ChangeTarget {
  enum class Kind {
    None,      // no node: an entry first in its folder has no previous sibling
    MenuRoot,  // the folder of the main menu's first level
    Entry,     // a node of the first menu, where it stood there
    Added,     // an entry the change list adds
  };
  Kind kind = Kind::None;
  EntryPlace place;        // Entry: its place in the first menu
  std::string identifier;  // Entry: its item name (8-bit) in the first menu
  std::size_t added = 0;   // Added: the index of the change that adds it
};

struct FieldEdit {
  std::string field;  // as EntryField::Name gives it, or "item"
  std::string label;  // as the comparison's lines name it; the field where a list lacks it
  std::optional<FieldContent> before;
  std::optional<FieldContent> after;
};

struct CarriedChange {
  EntryChange change = EntryChange::Changed;
  ChangeTarget entry;  // removed, moved, changed: the entry in the first menu
  EntryPlace shown;    // where the comparison shows it
  std::vector<FieldEdit> fields;
  // Added, moved, changed: the entry as the second menu has it; removed: as the first had it.
  CarriedEntry content;
  // Added, moved, changed: its folder and previous sibling in the second menu.
  ChangeTarget parent;
  ChangeTarget previous;
};

struct ChangeList {
  std::vector<FieldDifference> format;  // as the comparison has them
  std::vector<CarriedChange> entries;   // in the comparison's order: folders before their entries
};

// `comparison` is CompareMenus of the two trees.
ChangeList CarriedChanges(const MenuTree& first, const MenuTree& second,
                          const MenuComparison& comparison);

}  // namespace menuforge

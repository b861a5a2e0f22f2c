// Changes of the menu's shape that keep every record link and item data key consistent.
#pragma once

#include <string>
#include <string_view>

#include "menu/item_table.h"
#include "menu/menu_tree.h"

namespace menuforge {

enum class Placement {
  FirstChild,    // "Add subitem" / "Add First"
  LastChild,     // "Add subitem" / "Add Last"
  FirstSibling,  // "Add item" / "Add First"
  Before,        // "Add item" / "Add Before", and drops from the item list
};

// The two top-level nodes every open menu starts with.
std::unique_ptr<MenuNode> SoftkeysNode();
std::unique_ptr<MenuNode> MenuRootNode(std::uint8_t firstChildIndex);

// The items the seven soft keys of a new menu name.
std::vector<ItemBaseEntry> DefaultSoftkeyItems();
// Those and `more`: an item table a menu built on the skeleton saves under.
ItemTable WithDefaultSoftkeys(std::vector<ItemBaseEntry> more);

// "Softkeys" with the seven default soft keys, then "Menu Root". The tree must be empty.
void BuildSkeleton(MenuTree& tree);
// Deletes every node and frees every item data record; the custom item counter stays.
void EmptyTree(MenuTree& tree);

// Adds a node for an entry of the available items at the given place relative to `selected`,
// names it (a custom item takes "~" + the raised counter), completes its record, renumbers and,
// for a shortcut entry, runs AttachShortcut. Returns nullptr when the main menu is full (see
// TooManyEntriesText).
[[nodiscard]] MenuNode* AddEntry(MenuTree& tree, MenuNode& selected, Placement placement,
                                 const ItemBaseEntry& entry, bool custom);

void ReplaceEntry(MenuTree& tree, MenuNode& node, const ItemBaseEntry& entry, bool custom);
void AttachShortcut(MenuTree& tree, MenuNode& node, std::string_view identifier);
void DeleteEntry(MenuTree& tree, MenuNode& node);
void MoveUp(MenuTree& tree, MenuNode& node);
void MoveDown(MenuTree& tree, MenuNode& node);
// Moves `dragged` with its subtree right before `target`; nothing when target lies inside it.
void MoveBefore(MenuTree& tree, MenuNode& dragged, MenuNode& target);

// "~" + the number; and the number of such a name (0 when anything but digits follows the "~").
std::string CustomName(std::uint8_t counter);
std::uint8_t CustomNumber(const std::string& name);

// A custom name met while reading a menu: a soft key's counts one more, a main menu entry's raises
// the counter to its number ("~7" to 7; anything but digits after the "~" counts as 0).
void CountCustomName(MenuTree& tree, const std::string& name, bool softkey);

// The node's record number in group order plus 1 (its record key), modulo 256.
std::uint8_t RecordNumberOf(const MenuTree& tree, const MenuNode& node);

// The display text a node of the given item shows at the given position.
std::string DisplayTextFor(std::size_t position, const std::string& itemName,
                           const ItemTable& availableItems);

}  // namespace menuforge

// The catalogue tables the menu is checked against: the item base and the available items.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace menuforge {

inline constexpr char kCustomItemName[] = "Custom item";
inline constexpr std::string_view kShortcutSuffix = "[SC]";

struct ItemBaseEntry {
  std::string identifier;   // as the phone stores it; compared byte for byte
  std::string displayName;  // what the item list and the tree show
  bool mayHaveSubitems = true;

  bool IsShortcut() const { return displayName.ends_with(kShortcutSuffix); }
  bool operator==(const ItemBaseEntry&) const = default;
};

// An ordered table of entries whose last entry is always "Custom item".
class ItemTable {
 public:
  ItemTable();  // "Custom item" alone
  explicit ItemTable(std::vector<ItemBaseEntry> entriesWithoutCustomItem);

  // Position of the first exact match, or count() when there is none.
  std::size_t Find(std::string_view identifier) const;
  bool Contains(std::string_view identifier) const { return Find(identifier) < count(); }

  std::size_t count() const { return entries_.size(); }
  const ItemBaseEntry& at(std::size_t position) const { return entries_.at(position); }
  const std::vector<ItemBaseEntry>& entries() const { return entries_; }
  bool IsCustomItem(std::size_t position) const { return position + 1 == entries_.size(); }

  // Adds an entry in front of "Custom item".
  void Append(ItemBaseEntry entry);

 private:
  std::vector<ItemBaseEntry> entries_;
};

}  // namespace menuforge

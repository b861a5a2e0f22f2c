#include "menu/item_table.h"

namespace menuforge {

ItemTable::ItemTable() : ItemTable(std::vector<ItemBaseEntry>{}) {}

ItemTable::ItemTable(std::vector<ItemBaseEntry> entriesWithoutCustomItem)
    : entries_(std::move(entriesWithoutCustomItem)) {
  entries_.push_back({kCustomItemName, kCustomItemName, true});
}

void ItemTable::Append(ItemBaseEntry entry) {
  entries_.insert(entries_.end() - 1, std::move(entry));
}

std::size_t ItemTable::Find(std::string_view identifier) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].identifier == identifier) return i;
  return entries_.size();
}

}  // namespace menuforge

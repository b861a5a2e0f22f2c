#include "support/loaded_menus.h"

namespace menuforge::test {

LoadedMenu LoadedFrom(ByteView file, const ItemTable& items, bool profileIsDefault) {
  LoadedMenu loaded;
  loaded.result =
      ParseMenuFile(file, {items, profileIsDefault}, loaded.tree, loaded.options, loaded.state);
  return loaded;
}

ItemTable WithMissingItems(const ItemTable& known, const std::vector<MissingItem>& missing) {
  std::vector<ItemBaseEntry> entries(known.entries().begin(), known.entries().end() - 1);
  for (const MissingItem& item : missing)
    entries.push_back({item.identifier, item.identifier, true});
  return ItemTable(std::move(entries));
}

}  // namespace menuforge::test

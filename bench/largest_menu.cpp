#include "bench/largest_menu.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "menu/tree_operations.h"

namespace menuforge {

const ItemTable& LargestMenuItems() {
  static const ItemTable items =
      WithDefaultSoftkeys({{"Folder", "Folder", true}, {"Calculator", "Calculator", true}});
  return items;
}

void BuildLargestMenu(MenuTree& tree, char16_t letter) {
  constexpr std::size_t kFolders = 20;
  constexpr std::size_t kTitleCharacters = 58;
  const ItemTable& items = LargestMenuItems();
  BuildSkeleton(tree);
  std::vector<MenuNode*> folders;
  for (std::size_t i = 0; i < kFolders; ++i)
    folders.push_back(AddEntry(tree, *tree.menuRoot(), Placement::LastChild,
                               items.at(items.Find("Folder")), false));
  for (std::size_t i = kFolders; i < kMaxMenuEntries; ++i)
    if (!AddEntry(tree, *folders[i % kFolders], Placement::LastChild,
                  items.at(items.Find("Calculator")), false))
      std::abort();
  const std::u16string english(kTitleCharacters, letter);
  const std::u16string russian(kTitleCharacters, static_cast<char16_t>(letter + 0x0400));
  tree.ForEach([&](MenuNode& node) {
    if (&node == tree.softkeys() || &node == tree.menuRoot()) return;
    ItemDataRecord data;
    data.slots.push_back(ChunkSlot::Titles(TitleList::Menu, {{1, english}, {35, russian}}));
    data.slots.push_back(ChunkSlot::DrmIcon(DrmIconKind::List, kDrmByteFromEditor, 1234));
    data.slots.push_back(ChunkSlot::Action(0x0102));
    tree.SetEntryData(node, std::move(data));
  });
}

}  // namespace menuforge

#include "document/profile_mismatch.h"

#include <gtest/gtest.h>

#include "document/menu_document.h"
#include "menu_test_items.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

using Names = std::vector<std::string>;

Names Numbered(std::size_t count) {
  Names names;
  for (std::size_t i = 1; i <= count; ++i) names.push_back("Item" + std::to_string(i));
  return names;
}

TEST(ProfileMismatch, NamesTheUnknownItemsOnceInFileOrder) {
  MenuTree tree = NewMenu();
  MenuNode* games = AddLast(tree, *tree.menuRoot(), "Games");
  AddLast(tree, *games, "Zeta");
  AddLast(tree, *tree.menuRoot(), "Alpha");
  AddLast(tree, *games, "Alpha");
  AddLast(tree, *tree.menuRoot(), "A");
  EXPECT_EQ(ItemsOutsideTable(tree, TestItems()), (Names{"Alpha", "Zeta"}));
  EXPECT_EQ(ItemsOutsideTable(NewMenu(), TestItems()), Names{});
  EXPECT_EQ(ItemsOutsideTable(MenuTree{}, TestItems()), Names{});
}

TEST(ProfileMismatch, TextsListTheFirstNamesAndCountTheRest) {
  struct Case {
    Names unknown;
    std::string saveText;
    std::string statusText;
  };
  const std::string first = "mma_ucp doesn't match current profile";
  const std::string list = first + "\r\nItems the profile does not know:\r\n";
  const Case cases[] = {
      {{}, first, ""},
      {{"Games"}, list + "Games", "The profile does not know 1 item of this menu: Games"},
      {Numbered(3), list + "Item1\r\nItem2\r\nItem3",
       "The profile does not know 3 items of this menu: Item1, Item2, Item3"},
      {Numbered(4), list + "Item1\r\nItem2\r\nItem3\r\nItem4",
       "The profile does not know 4 items of this menu: Item1, Item2, Item3 \u2026 and 1 more"},
      {Numbered(12),
       list + "Item1\r\nItem2\r\nItem3\r\nItem4\r\nItem5\r\nItem6\r\nItem7\r\nItem8\r\nItem9\r\n"
              "Item10\r\n\u2026 and 2 more",
       "The profile does not know 12 items of this menu: Item1, Item2, Item3 \u2026 and 9 more"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unknown.size());
    EXPECT_EQ(ProfileMismatchText(c.unknown), c.saveText);
    EXPECT_EQ(ProfileExclusionStatusText(c.unknown), c.statusText);
  }
  const std::string longName(500, 'x');
  EXPECT_LT(ProfileMismatchText({longName}).size(), 300u);
  EXPECT_LT(ProfileExclusionStatusText({longName}).size(), 300u);
}

TEST(ProfileMismatch, ARefusedSaveNamesTheItemsAndWritesNothing) {
  TempFolder folder;
  MenuDocument document(folder.path());
  ASSERT_TRUE(document.catalog().LoadItemBase().ok());
  document.New();
  document.Edit("Add item", [](MenuTree& tree) { AddLast(tree, *tree.menuRoot(), "NoSuchItem"); });
  const SaveResult result = document.Save(folder / "mma_ucp");
  EXPECT_TRUE(result.refused());
  EXPECT_EQ(result.errorText(),
            "mma_ucp doesn't match current profile\r\n"
            "Items the profile does not know:\r\nNoSuchItem");
  EXPECT_EQ(document.ItemsOutsideProfile(), Names{"NoSuchItem"});
  EXPECT_FALSE(std::filesystem::exists(folder / "mma_ucp"));
}

}  // namespace
}  // namespace menuforge::test

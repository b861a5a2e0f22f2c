#include "app/core/item_summary.h"

#include <gtest/gtest.h>

#include "app/core/status_text.h"
#include "core/menu_test_items.h"

namespace menuforge {
namespace {

using Lines = std::vector<std::string>;
using test::AddLast;
using test::AttachData;
using test::NewMenu;

ItemDataRecord WithTags(std::initializer_list<std::uint8_t> tags) {
  ItemDataRecord record;
  for (std::uint8_t tag : tags) record.slots.push_back(*ChunkOfTag(tag));
  return record;
}

TEST(ItemSummaryTest, HiddenForSoftkeysAndMenuRootOnly) {
  const MenuTree tree = NewMenu();
  EXPECT_FALSE(ItemSummary(tree, *tree.NodeAt(0)));
  EXPECT_FALSE(ItemSummary(tree, *tree.NodeAt(8)));
  for (std::size_t position = 1; position <= 7; ++position)
    EXPECT_EQ(ItemSummary(tree, *tree.NodeAt(position)),
              (Lines{"Item summary:", "", "[Not modified]"}));
}

TEST(ItemSummaryTest, OneLinePerSlotAndOncePerGroup) {
  struct Case {
    std::initializer_list<std::uint8_t> tags;
    Lines lines;
  };
  const Case cases[] = {
      {{kTagUrl, kTagDrmListIcon, kTagUrl, kTagDrmStaticIcon},
       {"URL attached", "Icon(s) modified [source: DRM]", "URL attached"}},
      {{kTagMenuTitle, kTagMenuTitle, kTagSoftkeyTitle},
       {"Name in menu modified", "Name in menu modified", "Softkey name modified"}},
      {{kTagMidlet1, kTagMidletName, kTagMidletVendor}, {"MIDlet attached"}},
      {{kTagFileIcon, kTagFileIcon}, {"Icon(s) modified [source: file]"}},
      {{kTagDrmAnimatedIcon, kTagFileIcon, kTagDrmListIcon},
       {"Icon(s) modified [source: DRM]", "Icon(s) modified [source: file]"}},
      {{kTagCode12, kTagCode13, kTagCode14}, {"Phone number attached"}},
      {{kTagShowText, kTagShowText}, {"Text screen attached", "Text screen attached"}},
      {{kTagEmulatedAction, kTagShortcutData}, {"Action emulated", "Shortcut data"}},
      {{kTagUnknownGroup, kTagUnknownGroup}, {"Unsupported Data", "Unsupported Data"}},
  };
  for (const Case& c : cases) {
    MenuTree tree = NewMenu();
    MenuNode* node = AddLast(tree, *tree.menuRoot(), "A");
    AttachData(tree, *node, WithTags(c.tags));
    Lines expected{"Item summary:", ""};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(ItemSummary(tree, *node), expected);
  }
}

TEST(ItemSummaryTest, ModifiedWithoutDataShowsTheHeadingAlone) {
  MenuTree tree = NewMenu();
  // As the loader leaves an entry whose data lay beyond the end of its file.
  NodeRecord record;
  record.itemName = "A";
  record.modified = true;
  MenuNode* node = tree.Insert(tree.menuRoot(), 0, std::make_unique<MenuNode>(record));
  EXPECT_EQ(ItemSummary(tree, *node), (Lines{"Item summary:", ""}));
}

TEST(ItemSummaryTest, ASoftkeysDataIsSummarisedToo) {
  MenuTree tree = NewMenu();
  AttachData(tree, *tree.NodeAt(2), WithTags({kTagSoftkeyTitle}));
  EXPECT_EQ(ItemSummary(tree, *tree.NodeAt(2)),
            (Lines{"Item summary:", "", "Softkey name modified"}));
}

TEST(StatusTextTest, RecordSizeOfTheLastLoadAndTheMainMenuEntries) {
  MenuTree tree;
  EXPECT_EQ(FormatStatusText({}, tree), "Format: 0-byte  Entries: 0");
  BuildSkeleton(tree);
  EXPECT_EQ(FormatStatusText({}, tree), "Format: 0-byte  Entries: 0");
  for (int i = 0; i < 40; ++i) AddLast(tree, *tree.menuRoot(), "A");
  EXPECT_EQ(FormatStatusText({.recordSize = 36}, tree), "Format: 36-byte  Entries: 40");
}

TEST(StatusTextTest, SaveToPhoneSaysWhatWasWrittenWhere) {
  using enum CurrentMenu::Source;
  const std::string written = "The menu has been written to the phone's mma_ucp";
  const struct {
    CurrentMenu menu;
    bool stillModified;
    std::string said;
  } rows[] = {
      {CurrentMenu(Phone), false, written},
      {CurrentMenu(File, "menus/mine"), true, written + "; mine on disk still lacks the changes"},
      {CurrentMenu(File, "menus/mine"), false, written + ", the same as mine on disk"},
      {CurrentMenu(New), true, written + "; no file holds it yet"},
  };
  for (const auto& row : rows) EXPECT_EQ(SavedToPhoneStatus(row.menu, row.stillModified), row.said);
}

}  // namespace
}  // namespace menuforge

// Which menus "Show changes" compares before a restore, before unsaved changes are set aside
// and before Save to phone, and the other menu read only for a comparison.
#include <gtest/gtest.h>

#include "app/core/change_sources.h"
#include "app/core/other_menu.h"
#include "catalog/item_base_file.h"
#include "menu/comparison_lines.h"
#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "support/sample_menus.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

TEST(ChangeSources, RestoreComparesWithThePhoneMenuElseTheOpenOne) {
  struct Case {
    bool phoneCopy, menuOpen;
    RestoreBase base;
    const char* heading;
  };
  const Case cases[] = {
      {true, true, RestoreBase::PhoneMenu,
       "What the phone's menu would undergo if the backup mma_ucp_1 replaced it:"},
      {true, false, RestoreBase::PhoneMenu,
       "What the phone's menu would undergo if the backup mma_ucp_1 replaced it:"},
      {false, true, RestoreBase::OpenMenu,
       "No copy of the phone's menu is at hand. What the open menu would undergo if the backup "
       "mma_ucp_1 replaced it:"},
      {false, false, RestoreBase::Nothing,
       "No copy of the phone's menu is at hand and no menu is open: there is nothing to compare "
       "the backup mma_ucp_1 with."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.phoneCopy) + std::to_string(c.menuOpen));
    const RestoreBase base = ChooseRestoreBase(c.phoneCopy, c.menuOpen);
    EXPECT_EQ(base, c.base);
    EXPECT_EQ(RestoreChangesHeading(base, "/backups/mma_ucp_1"), c.heading);
  }
}

TEST(ChangeSources, UnsavedChangesCountFromWhereTheMenuCameFrom) {
  using Source = CurrentMenu::Source;
  struct Case {
    CurrentMenu menu;
    bool phoneCopy;
    UnsavedBase base;
    const char* heading;
  };
  const Case cases[] = {
      {CurrentMenu(Source::File, "/menus/mine.mma"), false, UnsavedBase::FileOnDisk,
       "The changes not yet saved, from mine.mma on disk to the open menu:"},
      {CurrentMenu(Source::File, "/menus/mine.mma"), true, UnsavedBase::FileOnDisk,
       "The changes not yet saved, from mine.mma on disk to the open menu:"},
      {CurrentMenu(Source::New), false, UnsavedBase::NewMenu,
       "The changes not yet saved, from a new menu to the open menu:"},
      {CurrentMenu(Source::Phone), true, UnsavedBase::PhoneMenu,
       "The changes not yet saved, from the phone's menu to the open menu:"},
      // The phone went away and took the remembered copy with it.
      {CurrentMenu(Source::Phone), false, UnsavedBase::Nothing,
       "No copy of the phone's menu is at hand (the phone went away since): there is nothing to "
       "compare the open menu with."},
      {CurrentMenu(), true, UnsavedBase::Nothing, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.menu.Name());
    const UnsavedBase base = ChooseUnsavedBase(c.menu, c.phoneCopy);
    EXPECT_EQ(base, c.base);
    if (c.heading) {
      EXPECT_EQ(UnsavedChangesHeading(base, c.menu), c.heading);
    }
  }
}

ItemTable SampleItems() { return ItemTable(BuiltInItemBase()); }

Bytes SampleFile(RecordSize size) {
  MenuTree tree;
  BuildSampleMenu(tree);
  FormatOptions options;
  options.SelectSaveMode(size);
  options.saveAllData = true;  // the sample's unknown chunks too
  Bytes bytes;
  EXPECT_EQ(EncodeMenuFile(tree, options, SampleItems(), bytes).status(), SaveStatus::Saved);
  return bytes;
}

TEST(OtherMenu, LoadsWhatAMenuFileHoldsAndRefusesTheRest) {
  MenuTree sample;
  BuildSampleMenu(sample);
  const Bytes file = SampleFile(RecordSize::k36);
  struct Case {
    const char* name;
    Bytes bytes;
    bool loads;
  };
  const Case cases[] = {
      {"whole", file, true},
      {"empty", {}, false},
      {"truncated", Bytes(file.begin(), file.begin() + 30), false},
      {"text", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'm', 'e', 'n', 'u'}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Items the table lacks keep their identifiers: the sample's are all unknown here.
    const ItemTable noItems;
    const Result<LoadedOtherMenu> load = LoadOtherMenu(c.bytes, noItems);
    ASSERT_EQ(load.ok(), c.loads) << load.errorText();
    EXPECT_EQ(noItems.count(), ItemTable().count());
    if (!c.loads) {
      EXPECT_FALSE(load.error().text.empty());
      continue;
    }
    FormatOptions options = load->menu->options;
    const MenuComparison comparison = CompareMenus({sample, options}, load->menu->compared());
    for (const ComparisonLine& line : ComparisonLines(comparison)) ADD_FAILURE() << line.text;
  }
}

TEST(OtherMenu, FilesAndNewMenus) {
  TempFolder folder;
  WriteFileBytes(folder / "menu22", SampleFile(RecordSize::k22));
  const Result<LoadedOtherMenu> read = LoadOtherMenuFile(folder / "menu22", ItemTable());
  ASSERT_TRUE(read) << read.errorText();
  EXPECT_EQ(read->menu->options.saveMode, RecordSize::k22);

  const Result<LoadedOtherMenu> missing = LoadOtherMenuFile(folder / "missing", ItemTable());
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.errorText().find("missing"), std::string::npos) << missing.errorText();

  FormatOptions options;
  options.SelectSaveMode(RecordSize::k22);
  const std::unique_ptr<OtherMenu> fresh = NewOtherMenu(options);
  const MenuTree skeleton = NewMenu();
  EXPECT_TRUE(CompareMenus({skeleton, options}, fresh->compared()).Same());
}

}  // namespace
}  // namespace menuforge::test

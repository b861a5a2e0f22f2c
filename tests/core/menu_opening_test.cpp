#include <gtest/gtest.h>

#include <random>

#include "app/core/profile_selector.h"
#include "catalog/menu_opening.h"
#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

// A working folder with the built-in item base and a menu file naming one item it lacks.
class MenuOpening : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(catalog.LoadItemBase().ok());
    MenuTree tree = NewMenu();
    AddLast(tree, *tree.menuRoot(), "Games");
    AddLast(tree, *tree.menuRoot(), "MyGadget");
    std::vector<ItemBaseEntry> all = catalog.itemBase().entries();
    all.push_back({"MyGadget", "MyGadget", true});
    ASSERT_EQ(SaveMenuFile(menuFile, tree, options, ItemTable(all)).status(), SaveStatus::Saved);
  }

  std::size_t ItemBaseLines() {
    const std::string text = ReadFileText(folder / "Profiles" / "itembase.dat");
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  }

  TempFolder folder;
  Catalog catalog{folder.path()};
  std::filesystem::path menuFile = folder / "mma_ucp";
  MenuTree tree;
  FormatOptions options;
  FormatState state;
};

TEST_F(MenuOpening, NothingSelectedTakesTheMismatchPathThenUpdatesTheItemBase) {
  ASSERT_EQ(ProfileSelectorIndex(catalog), -1);
  const OpenResult result = OpenMenuFile(menuFile, tree, catalog, options, state);
  ASSERT_TRUE(result.loaded()) << result.status.errorText();
  EXPECT_EQ(result.notices,
            (std::vector<Message>{
                {"Selected profile doesn't match mma_ucp\r\n    Default profile will be applied",
                 "Profile error", MessageIcon::Warning},
                {"Item base has been updated", "Profile info", MessageIcon::Information}}));
  EXPECT_EQ(ItemBaseLines(), 153u);
  EXPECT_TRUE(
      ReadFileText(folder / "Profiles" / "itembase.dat").ends_with("MyGadget;MyGadget\r\n"));
  EXPECT_EQ(ProfileSelectorIndex(catalog), 0);
  EXPECT_TRUE(catalog.availableItems().Contains("MyGadget"));
  EXPECT_EQ(tree.NodeAt(10)->displayText(), "MyGadget");
}

TEST_F(MenuOpening, DefaultProfileAppendsWithoutTheMismatchMessage) {
  catalog.UseDefaultProfile();
  const OpenResult result = OpenMenuFile(menuFile, tree, catalog, options, state);
  ASSERT_TRUE(result.loaded());
  EXPECT_EQ(result.notices, (std::vector<Message>{{"Item base has been updated", "Profile info",
                                                   MessageIcon::Information}}));
  EXPECT_EQ(ItemBaseLines(), 153u);

  // The second time the item is known: no message, nothing appended.
  const OpenResult again = OpenMenuFile(menuFile, tree, catalog, options, state);
  ASSERT_TRUE(again.loaded());
  EXPECT_TRUE(again.notices.empty());
  EXPECT_EQ(ItemBaseLines(), 153u);
}

TEST_F(MenuOpening, TheItemBaseGrowsInMemoryAsItDoesOnDisk) {
  catalog.UseDefaultProfile();
  ASSERT_TRUE(OpenMenuFile(menuFile, tree, catalog, options, state).loaded());
  Catalog reread{folder.path()};
  ASSERT_TRUE(reread.LoadItemBase().ok());
  EXPECT_EQ(catalog.itemBase().entries(), reread.itemBase().entries());
  EXPECT_EQ(catalog.availableItems().entries(), reread.itemBase().entries());
}

TEST_F(MenuOpening, NamesTheItemBaseCannotHoldAreReportedNotAppended) {
  MenuTree odd = NewMenu();
  AddLast(odd, *odd.menuRoot(), "x;y");
  AddLast(odd, *odd.menuRoot(), "Other");
  std::vector<ItemBaseEntry> all = catalog.itemBase().entries();
  all.push_back({"x;y", "x;y", true});
  all.push_back({"Other", "Other", true});
  ASSERT_EQ(SaveMenuFile(menuFile, odd, options, ItemTable(all)).status(), SaveStatus::Saved);
  catalog.UseDefaultProfile();

  const OpenResult result = OpenMenuFile(menuFile, tree, catalog, options, state);
  ASSERT_TRUE(result.loaded());
  EXPECT_EQ(result.warnings,
            (std::vector<std::string>{"Cannot add \"x;y\" to itembase.dat: an item name may not "
                                      "be empty or hold \";\" or control characters"}));
  EXPECT_EQ(ItemBaseLines(), 153u);  // "Other" only
  EXPECT_EQ(tree.NodeAt(9)->displayText(), "");
  EXPECT_EQ(tree.NodeAt(10)->displayText(), "Other");
}

TEST_F(MenuOpening, AFailedLoadLeavesNoTree) {
  WriteFileText(folder / "broken", "not a menu");
  const OpenResult result = OpenMenuFile(folder / "broken", tree, catalog, options, state);
  EXPECT_FALSE(result.loaded());
  EXPECT_FALSE(result.status.errorText().empty());
  EXPECT_TRUE(tree.empty());
}

TEST_F(MenuOpening, BytesThatAreNoMenuAreRefusedBeforeAnythingIsWritten) {
  const std::string itemBase = ReadFileText(folder / "Profiles" / "itembase.dat");
  Bytes garbage(5000);
  std::mt19937 random(5);
  for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
  WriteFileBytes(folder / "garbage.bin", garbage);

  const OpenResult result = OpenMenuFile(folder / "garbage.bin", tree, catalog, options, state);
  EXPECT_FALSE(result.loaded());
  EXPECT_TRUE(result.status.errorText().starts_with("The file is not an mma_ucp file: "))
      << result.status.errorText();
  EXPECT_TRUE(result.warnings.empty());
  EXPECT_TRUE(result.notices.empty());
  EXPECT_TRUE(tree.empty());
  EXPECT_EQ(ReadFileText(folder / "Profiles" / "itembase.dat"), itemBase);
}

struct GrowthCase {
  const char* what;
  std::size_t plainLines;  // "ItemN;ItemN" lines after the built-in ones
  std::string lastLine;    // one more line, or empty
  std::vector<std::string> items;
  std::string appended;  // what one open adds to the file; a second adds nothing
  std::string warning;   // empty when none
};

TEST_F(MenuOpening, AnItemIsAppendedOnceAndNeverPastAFullItemBase) {
  const std::string full = "The item base is full (254 items): ";
  const std::vector<GrowthCase> cases = {
      {"named twice, with room", 0, "", {"MyGadget", "MyGadget"}, "MyGadget;MyGadget\r\n", ""},
      {"full",
       102,
       "",
       {"MyGadget", "MyGadget", "Other"},
       "",
       full + "2 item(s) of this menu were not added to itembase.dat"},
      {"in the file past the 254 that are read",
       102,
       "MyGadget;MyGadget",
       {"MyGadget"},
       "",
       full + "1 item(s) of this menu were not added to itembase.dat"},
  };
  const std::filesystem::path base = folder / "Profiles" / "itembase.dat";
  const std::string builtIn = ReadFileText(base);
  for (const GrowthCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = builtIn;
    for (std::size_t i = 0; i < c.plainLines; ++i)
      text += "Item" + std::to_string(i) + ";Item" + std::to_string(i) + "\r\n";
    if (!c.lastLine.empty()) text += c.lastLine + "\r\n";
    WriteFileText(base, text);
    ASSERT_TRUE(catalog.LoadItemBase().ok());
    catalog.UseDefaultProfile();

    MenuTree saved = NewMenu();
    std::vector<ItemBaseEntry> all = catalog.itemBase().entries();
    for (const std::string& item : c.items) {
      AddLast(saved, *saved.menuRoot(), item);
      all.push_back({item, item, true});
    }
    ASSERT_EQ(SaveMenuFile(menuFile, saved, options, ItemTable(all)).status(), SaveStatus::Saved);

    for (int open = 0; open < 2; ++open) {
      const OpenResult result = OpenMenuFile(menuFile, tree, catalog, options, state);
      ASSERT_TRUE(result.loaded()) << result.status.errorText();
      EXPECT_EQ(result.warnings, c.warning.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{c.warning});
      EXPECT_EQ(ReadFileText(base), text + c.appended);
    }
  }
}

}  // namespace
}  // namespace menuforge::test

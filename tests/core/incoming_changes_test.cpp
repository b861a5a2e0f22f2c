// Changes carried into the open menu: each conflict decided on its own, the result taken in as
// one step that Undo takes back, and files that hold neither a menu nor a change list refused.
#include <gtest/gtest.h>

#include <fstream>

#include "app/core/incoming_changes.h"
#include "menu/comparison_lines.h"
#include "menu/tree_operations.h"
#include "support/sample_menus.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

ItemTable SampleItems() {
  std::vector<ItemBaseEntry> entries;
  for (const char* id :
       {"Browser", "Games", "Calculator", "Camera", "Settings", "DialedCalls", "Tools"})
    entries.push_back({id, id, true});
  return WithDefaultSoftkeys(std::move(entries));
}

using Edit = std::function<void(MenuTree&)>;

Edit Retitle(std::u16string text) {
  return [=](MenuTree& tree) {
    MenuNode& browser = *tree.menuRoot()->children().front();
    ItemDataRecord data = *tree.itemData().Find(browser.record().recordKey);
    std::get<TitlesChunk>(data.slots[0].content).titles[0].text = text;
    tree.SetEntryData(browser, std::move(data));
  };
}
Edit RemoveLast() {
  return [](MenuTree& tree) { DeleteEntry(tree, *tree.menuRoot()->children().back()); };
}

std::vector<std::string> Lines(const MenuTree& first, const MenuTree& second) {
  std::vector<std::string> lines;
  for (const ComparisonLine& line : ComparisonLines(CompareMenus({first, {}}, {second, {}})))
    lines.push_back(line.text);
  return lines;
}

TEST(IncomingChanges, ConflictsDecidedOneByOneAndUndoneAsOneStep) {
  const struct {
    const char* name;
    Edit mine, theirs;
    bool takeTheirs;
    std::vector<std::string> changes, conflicts, taken;
  } cases[] = {
      {"different entries",
       Retitle(u"Mine"),
       RemoveLast(),
       false,
       {"- DialedCalls"},
       {},
       {"- DialedCalls [SC]"}},
      {"clash kept mine",
       Retitle(u"Mine"),
       Retitle(u"Theirs"),
       false,
       {"~ Browser: Menu title (English US): \"Web\" → \"Theirs\""},
       {"! Browser: Menu title (English US): mine \"Web\" → \"Mine\", theirs \"Web\" → \"Theirs\""},
       {}},
      {"clash taken from theirs",
       Retitle(u"Mine"),
       Retitle(u"Theirs"),
       true,
       {"~ Browser: Menu title (English US): \"Web\" → \"Theirs\""},
       {"! Browser: Menu title (English US): mine \"Web\" → \"Mine\", theirs \"Web\" → \"Theirs\""},
       {"~ Browser: Menu title (English US): \"Mine\" → \"Theirs\""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    MenuTree base, mine, theirs;
    for (MenuTree* tree : {&base, &mine, &theirs}) BuildSampleMenu(*tree);
    c.mine(mine);
    c.theirs(theirs);
    ASSERT_EQ(SaveMenuFile(folder / "base", base, {}, SampleItems()).status(), SaveStatus::Saved);
    ASSERT_EQ(SaveMenuFile(folder / "theirs", theirs, {}, SampleItems()).status(),
              SaveStatus::Saved);
    MenuDocument document(folder / "work");
    ASSERT_TRUE(document.TakeIn(
        [&](MenuTree& tree, Catalog&, FormatOptions&, FormatState&) {
          BuildSampleMenu(tree);
          c.mine(tree);
          return true;
        },
        CurrentMenu(CurrentMenu::Source::File, folder / "mine")));
    const Result<IncomingChanges> incoming =
        LoadIncomingChanges(folder / "base", folder / "theirs", SampleItems());
    ASSERT_TRUE(incoming) << incoming.errorText();
    EXPECT_EQ(incoming->lines, c.changes);
    ConflictChoices choices;
    const Result<MergedMenu> trial = MergeIncoming(*incoming, document, choices);
    ASSERT_TRUE(trial) << trial.errorText();
    EXPECT_EQ(trial->conflicts, c.conflicts);
    if (c.takeTheirs) choices.theirs.insert(trial->conflicts.front());
    const Result<MergedMenu> merged = MergeIncoming(*incoming, document, choices);
    ASSERT_TRUE(merged);
    ASSERT_TRUE(TakeMerged(document, *merged));
    EXPECT_EQ(Lines(mine, document.tree()), c.taken);
    EXPECT_EQ(document.UndoName(), "Apply changes");
    document.Undo();
    EXPECT_EQ(Lines(mine, document.tree()), std::vector<std::string>());
  }
}

TEST(IncomingChanges, FilesWithoutChangesAreRefused) {
  TempFolder folder;
  std::ofstream(folder / "broken.json") << "{\"format\": [], \"entries\": [{}]}";
  std::ofstream(folder / "garbage") << "not a menu";
  const struct {
    std::string base, changed, message;
  } cases[] = {
      {"garbage", "broken.json", "entries[0]: missing member \"change\""},
      {"garbage", "garbage",
       "The file is too short to be an mma_ucp file: it must hold at least the ten fixed records"},
      {"missing", "garbage",
       "Cannot open file \"" + (folder / "missing").string() + "\". No such file or directory"},
  };
  for (const auto& c : cases) {
    const Result<IncomingChanges> incoming =
        LoadIncomingChanges(folder / c.base, folder / c.changed, SampleItems());
    EXPECT_EQ(incoming.errorText(), c.message) << c.base << " " << c.changed;
  }
}

}  // namespace
}  // namespace menuforge::test

// "menuforge-cli merge" and "apply" on menus written by the core: exit codes, the conflict lines,
// and nothing written when the command fails.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "support/cli_runner.h"
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

MenuNode& Child(const MenuNode& parent, const std::string& name) {
  for (const auto& child : parent.children())
    if (child->record().itemName == name) return *child;
  throw std::runtime_error("no entry " + name);
}

void Retitle(MenuTree& tree, std::u16string text) {
  MenuNode& browser = Child(*tree.menuRoot(), "Browser");
  ItemDataRecord data = *tree.itemData().Find(browser.record().recordKey);
  std::get<TitlesChunk>(data.slots[0].content).titles[0].text = std::move(text);
  tree.SetEntryData(browser, std::move(data));
}

class MergeCliTest : public ::testing::Test {
 protected:
  MergeCliTest() {
    std::filesystem::create_directories(work());
    Save("base", [](MenuTree&) {});
    Save("mine", [](MenuTree& tree) { Retitle(tree, u"Mine"); });
    Save("theirs", [](MenuTree& tree) { DeleteEntry(tree, Child(*tree.menuRoot(), "Games")); });
    Save("clash", [](MenuTree& tree) { Retitle(tree, u"Theirs"); });
    std::ofstream(work() / "broken.json") << "{\"format\": [], \"entries\": [{}]}";
  }

  std::filesystem::path work() const { return folder / "work"; }

  void Save(const std::string& name, const std::function<void(MenuTree&)>& edit) const {
    MenuTree tree;
    BuildSampleMenu(tree);
    edit(tree);
    ASSERT_EQ(SaveMenuFile(work() / name, tree, FormatOptions{}, SampleItems()).status(),
              SaveStatus::Saved);
  }

  CliRun Run(const std::string& arguments) const {
    return RunCli(MENUFORGE_CLI, work(), arguments,
                  "XDG_DATA_HOME='" + (folder / "data").string() + "'");
  }

  TempFolder folder;
};

TEST_F(MergeCliTest, ExitCodesConflictsAndNothingWrittenOnError) {
  const struct {
    std::string arguments;
    int exitCode;
    std::string out, err;
    bool written;
  } cases[] = {
      {"merge base mine theirs -o out", 0, "", "", true},
      {"merge base mine clash -o out", 1,
       "! Browser: Menu title (English US): mine \"Web\" \u2192 \"Mine\", theirs \"Web\" \u2192 "
       "\"Theirs\"\n",
       "", true},
      {"merge base mine missing -o out", 2, "",
       "error: Cannot open file \"missing\". No such file or directory\n", false},
      {"merge base mine theirs", 2, "",
       "error: option -o OUT is needed (see menuforge-cli merge --help)\n", false},
      {"apply base broken.json -o out", 2, "",
       "error: broken.json: entries[0]: missing member \"change\"\n", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    std::filesystem::remove(work() / "out");
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(std::filesystem::exists(work() / "out"), c.written);
  }
  ASSERT_EQ(Run("merge base mine theirs -o out").exitCode, 0);
  EXPECT_EQ(Run("diff mine out").out, "- Games\n- Games/Calculator\n- Games/~1\n- Games/Camera\n");
}

TEST_F(MergeCliTest, ChangeListCarriesTheChangesToAnotherMenu) {
  ASSERT_EQ(RunCli(MENUFORGE_CLI, work(), "diff base theirs --json > changes.json").exitCode, 1);
  const CliRun applied = Run("apply mine changes.json -o out");
  EXPECT_EQ(applied.exitCode, 0) << applied.err;
  EXPECT_EQ(Run("diff mine out").out, "- Games\n- Games/Calculator\n- Games/~1\n- Games/Camera\n");
  ASSERT_EQ(Run("apply theirs changes.json -o again").exitCode, 1);
  EXPECT_EQ(Run("apply theirs changes.json -o again").out,
            "! Games: not in the menu\n! Games/Calculator: not in the menu\n"
            "! Games/~1: not in the menu\n! Games/Camera: not in the menu\n");
}

}  // namespace
}  // namespace menuforge::test

#endif  // MENUFORGE_CLI

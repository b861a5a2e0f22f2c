// "menuforge-cli diff" on pairs of files written by the core: the lines, the JSON, the exit
// codes, and a working folder left as it was.
#ifdef MENUFORGE_CLI

#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "support/cli_runner.h"
#include "support/sample_menus.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

using Json = nlohmann::json;

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

class DiffCliTest : public ::testing::Test {
 protected:
  DiffCliTest() { std::filesystem::create_directories(work()); }

  std::filesystem::path work() const { return folder / "work"; }

  // The sample menu after `edit`, written as the core writes it.
  void Save(const std::string& name, const std::function<void(MenuTree&)>& edit = {},
            RecordSize size = RecordSize::k36) const {
    MenuTree tree;
    BuildSampleMenu(tree);
    if (edit) edit(tree);
    FormatOptions options;
    options.SelectSaveMode(size);
    ASSERT_EQ(SaveMenuFile(work() / name, tree, options, SampleItems()).status(),
              SaveStatus::Saved);
  }

  CliRun Run(const std::string& arguments) const {
    return RunCli(MENUFORGE_CLI, work(), arguments,
                  "XDG_DATA_HOME='" + (folder / "data").string() + "'");
  }

  TempFolder folder;
};

void RetitleBrowser(MenuTree& tree) {
  MenuNode& browser = Child(*tree.menuRoot(), "Browser");
  ItemDataRecord data = *tree.itemData().Find(browser.record().recordKey);
  std::get<TitlesChunk>(data.slots[0].content).titles[0].text = u"Net\x07";
  tree.SetEntryData(browser, std::move(data));
}

void MoveAndDelete(MenuTree& tree) {
  MenuNode& games = Child(*tree.menuRoot(), "Games");
  MoveBefore(tree, Child(games, "Camera"), Child(*tree.menuRoot(), "Browser"));
  DeleteEntry(tree, Child(games, "Calculator"));
  if (!AddEntry(tree, Child(*tree.menuRoot(), "Settings"), Placement::LastChild,
                {"Browser", "Browser", true}, false))
    throw std::runtime_error("menu full");
}

void SwapChunks(MenuTree& tree) {
  MenuNode& browser = Child(*tree.menuRoot(), "Browser");
  ItemDataRecord data = *tree.itemData().Find(browser.record().recordKey);
  std::swap(data.slots[0], data.slots[1]);
  tree.SetEntryData(browser, std::move(data));
}

TEST_F(DiffCliTest, LinesAndExitCodes) {
  Save("a");
  Save("copy");
  Save("a22", {}, RecordSize::k22);
  Save("titled", RetitleBrowser);
  Save("moved", MoveAndDelete);
  Save("swapped", SwapChunks);
  const struct {
    std::string arguments;
    int exitCode;
    std::string out;
  } cases[] = {
      {"diff a copy", 0, "files are identical\n"},
      {"diff a swapped", 0, "same menu, the files differ only in layout\n"},
      {"diff a22 a", 1,
       "same entries, record format differs\n~ format: MMA save mode: 22-byte \u2192 36-byte\n"},
      {"diff a titled", 1, "~ Browser: Menu title (English US): \"Web\" \u2192 \"Net\\x07\"\n"},
      {"diff a moved", 1,
       "> Camera: from Games #3 to Menu Root #1\n- Games/Calculator\n+ Settings/Browser\n"},
      {"diff moved a", 1,
       "+ Games/Calculator\n> Games/Camera: from Menu Root #1 to Games #3\n"
       "- Settings/Browser\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, "");
  }
}

// Thirty titles, the last in language 30 (Norwegian).
std::function<void(MenuTree&)> ThirtyTitles(std::u16string last) {
  return [last](MenuTree& tree) {
    MenuNode& browser = Child(*tree.menuRoot(), "Browser");
    ItemDataRecord data = *tree.itemData().Find(browser.record().recordKey);
    auto& titles = std::get<TitlesChunk>(data.slots[0].content).titles;
    titles.clear();
    for (std::uint8_t id = 1; id < 30; ++id) titles.push_back({id, u"t"});
    titles.push_back({30, last});
    tree.SetEntryData(browser, std::move(data));
  };
}

// What the model could not hold, or a file read only in part, must not pass for the same menu.
TEST_F(DiffCliTest, NothingBeyondTheModelOrTheFirstMegabyteIsTakenForSame) {
  Save("a");
  Save("many", ThirtyTitles(u"Nett"));
  Save("many2", ThirtyTitles(u"Web"));
  std::string big = ReadFileText(work() / "a");
  big.resize(1200000, 'x');
  WriteFileText(work() / "big", big);
  WriteFileText(work() / "bigcopy", big);
  big.back() = 'y';
  WriteFileText(work() / "bigother", big);
  const struct {
    std::string arguments;
    int exitCode;
    std::string out;
  } cases[] = {
      {"diff many many2", 1, "~ Browser: Menu title (Norwegian): \"Nett\" \u2192 \"Web\"\n"},
      {"diff big bigcopy", 0, "files are identical\n"},
      {"diff big bigother", 0, "same menu, the files differ only in layout\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.out, c.out);
  }
}

// Browser titled "AB" and `second`, whose end offset is bent back before the first one ends:
// loading keeps "AB" and drops the list's chunk aside.
void SaveBentTitles(const std::filesystem::path& path, const std::u16string& second) {
  MenuTree tree;
  BuildSampleMenu(tree);
  MenuNode& browser = Child(*tree.menuRoot(), "Browser");
  ItemDataRecord data = *tree.itemData().Find(browser.record().recordKey);
  std::get<TitlesChunk>(data.slots[0].content).titles = {{1, u"AB"}, {3, second}};
  tree.SetEntryData(browser, std::move(data));
  ASSERT_EQ(SaveMenuFile(path, tree, FormatOptions{}, SampleItems()).status(), SaveStatus::Saved);
  std::string bytes = ReadFileText(path);
  const std::size_t strings = bytes.find(std::string("\0A\0B\0\0", 6));
  ASSERT_NE(strings, std::string::npos);
  bytes[strings - 1] = 4;
  WriteFileText(path, bytes);
}

TEST_F(DiffCliTest, DataLoadingDropsIsComparedAndChecked) {
  SaveBentTitles(work() / "bent", u"CD");
  SaveBentTitles(work() / "bent2", u"CE");
  const CliRun diff = Run("diff bent bent2");
  EXPECT_EQ(diff.exitCode, 1) << diff.err;
  EXPECT_EQ(diff.out.rfind("~ Browser: data loading drops: ", 0), 0u) << diff.out;
  const CliRun check = Run("check bent");
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.err.find("error: the file holds data that loading drops (see the warnings); "
                           "saved as it is, it would lose that data\n"),
            std::string::npos)
      << check.err;
}

TEST_F(DiffCliTest, JsonHoldsTheSameList) {
  Save("a");
  Save("moved", [](MenuTree& tree) {
    MoveAndDelete(tree);
    RetitleBrowser(tree);
  });
  const CliRun run = Run("diff a moved --json");
  ASSERT_EQ(run.exitCode, 1) << run.err;
  const Json document = Json::parse(run.out);
  EXPECT_EQ(document["same"], false);
  EXPECT_EQ(document["summary"], nullptr);
  const Json& entries = document["entries"];
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0]["change"], "moved");
  EXPECT_EQ(entries[0]["path"], Json({"Menu Root", "Camera"}));
  EXPECT_EQ(entries[0]["from"], Json({{"folder", {"Menu Root", "Games"}}, {"position", 3}}));
  EXPECT_EQ(entries[1]["change"], "changed");
  const Json& field = entries[1]["fields"][0];
  EXPECT_EQ(Json({{"field", field["field"]},
                  {"label", field["label"]},
                  {"before", field["before"]},
                  {"after", field["after"]}}),
            Json({{"field", "title[English US]"},
                  {"label", "Menu title (English US)"},
                  {"before", "Web"},
                  {"after", "Net\x07"}}));
  EXPECT_EQ(field["after-data"],
            Json({{"tag", 0}, {"titles", {{{"language", 1}, {"text", "Net\x07"}}}}}));
  EXPECT_EQ(entries[2]["change"], "removed");
  EXPECT_EQ(entries[2]["to"], nullptr);
  EXPECT_EQ(entries[3]["identifier"], "Browser");

  Save("copy");
  const Json same = Json::parse(Run("diff a copy --json").out);
  EXPECT_EQ(same["identical-bytes"], true);
  EXPECT_EQ(same["entries"], Json::array());
}

TEST_F(DiffCliTest, BackupsAndTroubleExitTwoWritingNothing) {
  Save("a");
  Save("titled", RetitleBrowser);
  const std::filesystem::path backups = folder / "data" / "menuforge" / "backups";
  std::filesystem::create_directories(backups);
  std::filesystem::copy_file(work() / "a", backups / "mma_ucp_1_20260101-120000");
  std::filesystem::copy_file(work() / "titled", backups / "mma_ucp_1_20260102-120000");
  WriteFileText(work() / "text", "not a menu");
  EXPECT_EQ(Run("diff backup:2 a").out, "files are identical\n");
  EXPECT_EQ(Run("diff backup:1 titled").exitCode, 0);
  EXPECT_EQ(Run("diff backup:2 backup:1").exitCode, 1);

  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {"diff a missing", "error: Cannot open file"},
      {"diff text a", "error: text: The file is too short to be an mma_ucp file"},
      {"diff a backup:3",
       "error: backup:3: there is no such backup; backups are numbered from 1, "
       "the newest first, and 2 are kept\n"},
      {"diff a backup:x", "error: backup:x: there is no such backup"},
      {"diff a", "error: "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
  }
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(work())) ++files;
  EXPECT_EQ(files, 3u);  // a, titled, text: no item base, no settings, no log
}

}  // namespace
}  // namespace menuforge::test

#endif

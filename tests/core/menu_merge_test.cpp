// Three menus grown from one base: what the merge takes from THEIRS into MINE, told as the
// comparison of MINE with the result, and the conflicts it lists; a change list carried to
// another menu; and the properties over random menus.
#include <gtest/gtest.h>

#include <functional>

#include "menu/comparison_lines.h"
#include "menu/menu_merge.h"
#include "menu/tree_operations.h"
#include "menu_json/change_list_json.h"
#include "support/random_menus.h"
#include "support/sample_menus.h"

namespace menuforge::test {
namespace {

using Edit = std::function<void(MenuTree&)>;

std::vector<std::string> Lines(const MenuComparison& comparison) {
  std::vector<std::string> lines;
  for (const ComparisonLine& line : ComparisonLines(comparison)) lines.push_back(line.text);
  return lines;
}

MenuNode& Find(const MenuTree& tree, const std::string& path) {
  MenuNode* node = tree.menuRoot();
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    MenuNode* next = nullptr;
    for (const auto& child : node->children())
      if (!next && child->displayText() == path.substr(start, end - start)) next = child.get();
    if (!next) throw std::runtime_error("no entry " + path);
    node = next;
    start = end + 1;
  }
  return *node;
}

void AddBefore(MenuTree& tree, const std::string& where, const std::string& id) {
  const bool custom = id == kCustomItemName;
  if (!AddEntry(tree, Find(tree, where), Placement::Before, {id, id, true}, custom))
    throw std::runtime_error("menu full");
}

Edit Title(const std::string& path, std::u16string text) {
  return [=](MenuTree& tree) {
    MenuNode& node = Find(tree, path);
    ItemDataRecord data = *tree.itemData().Find(node.record().recordKey);
    std::get<TitlesChunk>(data.slots[0].content).titles.back().text = text;
    tree.SetEntryData(node, std::move(data));
  };
}
Edit Remove(const std::string& path) {
  return [=](MenuTree& tree) { DeleteEntry(tree, Find(tree, path)); };
}
Edit Move(const std::string& path, const std::string& before) {
  return [=](MenuTree& tree) { MoveBefore(tree, Find(tree, path), Find(tree, before)); };
}
Edit Attributes(const std::string& path, std::uint8_t byte) {
  return [=](MenuTree& tree) {
    tree.EditRecord(Find(tree, path), [&](NodeRecord& record) { record.attributeByte = byte; });
  };
}
Edit Both(Edit first, Edit second) {
  return [=](MenuTree& tree) {
    first(tree);
    second(tree);
  };
}

struct Sides {
  MenuTree base, mine, theirs;
  FormatOptions options;
};

void Build(Sides& sides, const Edit& mine, const Edit& theirs) {
  for (MenuTree* tree : {&sides.base, &sides.mine, &sides.theirs}) BuildSampleMenu(*tree);
  mine(sides.mine);
  theirs(sides.theirs);
}

TEST(MenuMerge, EveryKindOfChangeAndConflict) {
  const Edit none = [](MenuTree&) {};
  const struct {
    const char* name;
    Edit mine, theirs;
    std::vector<std::string> taken, conflicts;
    ConflictChoice choice = ConflictChoice::KeepMine;
  } cases[] = {
      {"added",
       none,
       [](MenuTree& t) { AddBefore(t, "Games/Calculator", "Tools"); },
       {"+ Games/Tools"},
       {}},
      {"removed", Title("Games", u"Fun"), Remove("Browser"), {"- Browser"}, {}},
      {"moved",
       none,
       Move("Games/Calculator", "Settings/Tools"),
       {"> Settings/Calculator: from Games #1 to Settings #1"},
       {}},
      {"other fields of one entry combine",
       Title("Browser", u"Web"),
       Attributes("Browser", 0x41),
       {"~ Browser: Item attributes: Protected (0x60) \u2192 Lockable (0x41)"},
       {}},
      {"one change made on both sides", Title("Browser", u"Web"), Title("Browser", u"Web"), {}, {}},
      {"one field changed to different values",
       Title("Browser", u"Web"),
       Title("Browser", u"Net"),
       {},
       {"! Browser: Menu title (French): mine \"Navigateur \u00e9\" \u2192 \"Web\", theirs "
        "\"Navigateur \u00e9\" \u2192 \"Net\""}},
      {"theirs taken",
       Title("Browser", u"Web"),
       Title("Browser", u"Net"),
       {"~ Browser: Menu title (French): \"Web\" \u2192 \"Net\""},
       {"! Browser: Menu title (French): mine \"Navigateur \u00e9\" \u2192 \"Web\", theirs "
        "\"Navigateur \u00e9\" \u2192 \"Net\""},
       ConflictChoice::TakeTheirs},
      {"removed by theirs, changed by mine",
       Title("Browser", u"Web"),
       Remove("Browser"),
       {},
       {"! Browser: removed by theirs, changed by mine"}},
      {"removed by mine, changed by theirs",
       Remove("Browser"),
       Title("Browser", u"Web"),
       {},
       {"! Browser: removed by mine, changed by theirs"}},
      {"removed by theirs, moved by mine",
       Move("Browser", "Settings/Tools"),
       Remove("Browser"),
       {},
       {"! Browser: removed by theirs, moved by mine"}},
      {"moved to different places",
       Move("Games/Calculator", "Settings/Tools"),
       Move("Games/Calculator", "Browser"),
       {},
       {"! Calculator: moved by mine to Settings #1, by theirs to Menu Root #1"}},
      {"moved to one place on both sides",
       Move("Games/Calculator", "Browser"),
       Move("Games/Calculator", "Browser"),
       {},
       {}},
      {"added into a folder mine removed",
       Remove("Settings"),
       [](MenuTree& t) { AddBefore(t, "Settings/Tools", "Camera"); },
       {},
       {"! Settings/Camera: added by theirs into a folder mine removed"}},
      {"added into a folder theirs removed",
       [](MenuTree& t) { AddBefore(t, "Settings/Tools", "Camera"); },
       Remove("Settings"),
       {"- Settings/Tools"},
       {"! Settings/Camera: added by mine into a folder theirs removed"}},
      {"custom entries numbered alike on both sides",
       [](MenuTree& t) { AddBefore(t, "Browser", kCustomItemName); },
       [](MenuTree& t) { AddBefore(t, "Settings", kCustomItemName); },
       {"+ ~3"},
       {}},
      {"moved out of a folder removed",
       none,
       Both(Move("Settings/Tools", "Browser"), Remove("Settings")),
       {"> Tools: from Settings #1 to Menu Root #1", "- Settings"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Sides sides;
    Build(sides, c.mine, c.theirs);
    const FormatOptions& o = sides.options;
    const Result<MergedMenu> merged =
        MergeMenus({sides.base, o}, {sides.mine, o}, {sides.theirs, o}, c.choice);
    ASSERT_TRUE(merged) << merged.errorText();
    EXPECT_EQ(Lines(CompareMenus({sides.mine, o}, {merged->tree, merged->options})), c.taken);
    EXPECT_EQ(merged->conflicts, c.conflicts);
  }
}

TEST(MenuMerge, FormatOptionsFollowTheirsOnlyWhereTheyChanged) {
  Sides sides;
  Build(
      sides, [](MenuTree&) {}, [](MenuTree&) {});
  FormatOptions base, mine, theirs;
  mine.SelectSaveMode(RecordSize::k22);
  mine.c698pFix = true;
  theirs.saveAllData = true;
  const Result<MergedMenu> merged = MergeMenus({sides.base, base}, {sides.mine, mine},
                                               {sides.theirs, theirs}, ConflictChoice::KeepMine);
  ASSERT_TRUE(merged);
  EXPECT_EQ(Lines(CompareMenus({sides.mine, mine}, {merged->tree, merged->options})),
            std::vector<std::string>{"~ format: Save all data: off \u2192 on"});
  theirs.c698pFix = false;
  theirs.SelectSaveMode(RecordSize::k22);
  theirs.iconAttribute = IconAttribute::Tag06;
  const Result<MergedMenu> clash = MergeMenus({sides.base, base}, {sides.mine, mine},
                                              {sides.theirs, theirs}, ConflictChoice::KeepMine);
  ASSERT_TRUE(clash);
  EXPECT_EQ(clash->options.iconAttribute, IconAttribute::Tag06);
  EXPECT_TRUE(clash->conflicts.empty());
}

TEST(MenuMerge, ResultPastTheFormatLimitsIsRefused) {
  auto grow = [](MenuTree& tree, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
      ASSERT_TRUE(
          AddEntry(tree, *tree.menuRoot(), Placement::LastChild, {"Tools", "Tools", true}, false));
  };
  MenuTree base, mine, theirs;
  for (MenuTree* tree : {&base, &mine, &theirs}) {
    BuildSkeleton(*tree);
    grow(*tree, 243);
  }
  ASSERT_TRUE(
      AddEntry(mine, *mine.menuRoot(), Placement::LastChild, {"Games", "Games", true}, false));
  grow(mine, 1);
  ASSERT_TRUE(AddEntry(theirs, *theirs.menuRoot(), Placement::FirstChild,
                       {"Camera", "Camera", true}, false));
  ASSERT_TRUE(AddEntry(theirs, *theirs.menuRoot(), Placement::FirstChild,
                       {"Browser", "Browser", true}, false));
  const FormatOptions o;
  const Result<MergedMenu> merged =
      MergeMenus({base, o}, {mine, o}, {theirs, o}, ConflictChoice::KeepMine);
  ASSERT_FALSE(merged);
  EXPECT_EQ(merged.error().text,
            "the result would pass the mma_ucp limit of 245 entries: Games, Tools");
}

TEST(ChangeList, HostileListsAreRefusedByPlace) {
  const struct {
    const char* json;
    const char* error;
  } cases[] = {
      {R"({"format":[],"entries":[{"change":"grown"}]})",
       "entries[0].change: expected \"added\", \"removed\", \"moved\" or \"changed\""},
      {R"({"format":[{"field":"record-size","before":"36","after":"99"}],"entries":[]})",
       "format[0]: expected a format field and its values as diff gives them"},
      {R"({"format":[],"entries":[{"change":"added","path":["Menu Root","X"],
          "to":{"position":1},"entry":{"name":"X","display":"X","type":0,"titleMode":0,
          "attribute":0,"subitems":true,"data":[]},"parent":{"added":0},"fields":[]}]})",
       "entries[0].parent.added: names no addition made before this change"},
      {R"({"format":[],"entries":[{"change":"changed","path":["Menu Root","X"],
          "to":{"position":1},"base":{"at":[1,0],"names":["Menu Root","X"],"identifier":"X"},
          "entry":{"name":"X","display":"X","type":0,"titleMode":0,"attribute":0,
          "subitems":true,"data":[]},"parent":{"root":true},"fields":[{"field":"type",
          "before":"plain","after":"url","before-data":0,"after-data":{"tag":5,"text":"u"}}]}]})",
       "entries[0].fields[0].after-data: does not hold what the field names"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    try {
      (void)cli::ChangeListFromJson(cli::Json::parse(c.json));
      ADD_FAILURE() << "accepted";
    } catch (const cli::JsonMenuError& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
  }
}

// Edits of the entries under one top-level folder of the main menu, or none when it has none.
void EditUnder(MenuTree& tree, std::size_t top, std::uint32_t seed) {
  const auto& entries = tree.menuRoot()->children();
  if (top >= entries.size()) return;
  MenuNode& folder = *entries[top];
  tree.EditRecord(folder, [&](NodeRecord& record) { record.attributeByte ^= 0x20; });
  if (!folder.children().empty() && seed % 2) DeleteEntry(tree, *folder.children().back());
  (void)AddEntry(tree, folder, Placement::FirstChild, {"Tools", "Tools", true}, false);
}

TEST(MenuMerge, PropertiesOverRandomMenus) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    const RandomMenu base = MakeRandomMenu(seed), other = MakeRandomMenu(seed + 1000);
    const ComparedMenu b{base.tree, base.options}, o{other.tree, other.options};
    auto same = [](const ComparedMenu& x, const ComparedMenu& y) {
      return Lines(CompareMenus(x, y));
    };
    const Result<MergedMenu> theirsIsBase = MergeMenus(b, o, b, ConflictChoice::KeepMine);
    ASSERT_TRUE(theirsIsBase);
    EXPECT_EQ(same(o, {theirsIsBase->tree, theirsIsBase->options}), std::vector<std::string>{});
    const Result<MergedMenu> mineIsBase = MergeMenus(b, b, o, ConflictChoice::KeepMine);
    ASSERT_TRUE(mineIsBase);
    EXPECT_EQ(same(o, {mineIsBase->tree, mineIsBase->options}), std::vector<std::string>{});
    EXPECT_TRUE(mineIsBase->conflicts.empty());

    const ChangeList carried = CarriedChanges(base.tree, other.tree, CompareMenus(b, o));
    const Result<MergedMenu> applied = ApplyChangeList(b, carried);
    ASSERT_TRUE(applied);
    EXPECT_EQ(same(o, {applied->tree, applied->options}), std::vector<std::string>{});

    RandomMenu mine = MakeRandomMenu(seed), theirs = MakeRandomMenu(seed);
    EditUnder(mine.tree, 0, seed);
    EditUnder(theirs.tree, 1, seed);
    const ComparedMenu m{mine.tree, mine.options}, t{theirs.tree, theirs.options};
    const Result<MergedMenu> one = MergeMenus(b, m, t, ConflictChoice::KeepMine);
    const Result<MergedMenu> two = MergeMenus(b, t, m, ConflictChoice::KeepMine);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(same({one->tree, one->options}, {two->tree, two->options}),
              std::vector<std::string>{});
    EXPECT_TRUE(one->conflicts.empty() && two->conflicts.empty());
  }
}

}  // namespace
}  // namespace menuforge::test

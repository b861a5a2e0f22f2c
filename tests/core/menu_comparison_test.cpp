// Pairs of small menus, the second made from the first by known edits: every edit is reported
// once, and nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "menu/comparison_lines.h"
#include "menu/tree_edit.h"
#include "menu/tree_operations.h"
#include "support/random_menus.h"
#include "support/sample_menus.h"

namespace menuforge::test {
namespace {

std::vector<std::string> Lines(const MenuComparison& comparison) {
  std::vector<std::string> lines;
  for (const ComparisonLine& line : ComparisonLines(comparison)) lines.push_back(line.text);
  return lines;
}

MenuNode& Find(const MenuTree& tree, const std::string& path) {
  MenuNode* node = tree.menuRoot();
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string name = path.substr(start, end - start);
    MenuNode* next = nullptr;
    for (const auto& child : node->children())
      if (!next && child->displayText() == name) next = child.get();
    if (!next) throw std::runtime_error("no entry " + path);
    node = next;
    start = end + 1;
  }
  return *node;
}

ItemBaseEntry Item(const std::string& identifier) { return {identifier, identifier, true}; }

void Add(MenuTree& tree, const std::string& where, Placement placement, const std::string& id) {
  if (!AddEntry(tree, Find(tree, where), placement, Item(id), id == kCustomItemName))
    throw std::runtime_error("menu full");
}

const ItemDataRecord& DataOf(const MenuTree& tree, const std::string& path) {
  return *tree.itemData().Find(Find(tree, path).record().recordKey);
}

// Changes an entry's data through the tree, as the item editor does.
void EditData(MenuTree& tree, const std::string& path,
              const std::function<void(ItemDataRecord&)>& edit) {
  ItemDataRecord data = DataOf(tree, path);
  edit(data);
  tree.SetEntryData(Find(tree, path), std::move(data));
}

void SetTitle(MenuTree& tree, const std::string& path, std::size_t index, std::u16string text) {
  EditData(tree, path, [&](ItemDataRecord& data) {
    std::get<TitlesChunk>(data.slots[0].content).titles[index].text = std::move(text);
  });
}

struct Case {
  const char* name;
  std::function<void(MenuTree&)> edit;
  std::vector<std::string> expected;
};

TEST(MenuComparison, EveryEditReportedOnce) {
  const Case cases[] = {
      {"nothing", [](MenuTree&) {}, {}},
      {"added",
       [](MenuTree& t) { Add(t, "Games/Calculator", Placement::Before, "Tools"); },
       {"+ Games/Tools"}},
      {"removed, the entries after it only shifted",
       [](MenuTree& t) { DeleteEntry(t, Find(t, "Browser")); },
       {"- Browser"}},
      {"removed folder with what it held",
       [](MenuTree& t) { DeleteEntry(t, Find(t, "Games")); },
       {"- Games", "- Games/Calculator", "- Games/~1", "- Games/Camera"}},
      {"moved between folders",
       [](MenuTree& t) { MoveBefore(t, Find(t, "Games/Calculator"), Find(t, "Settings/Tools")); },
       {"> Settings/Calculator: from Games #1 to Settings #1"}},
      {"moved folder keeps its children",
       [](MenuTree& t) { MoveBefore(t, Find(t, "Games"), Find(t, "Settings/Tools")); },
       {"> Settings/Games: from Menu Root #2 to Settings #1"}},
      {"moved to the end of its folder",
       [](MenuTree& t) {
         MoveDown(t, Find(t, "Browser"));
         MoveDown(t, Find(t, "Browser"));
         MoveDown(t, Find(t, "Browser"));
       },
       {"> Browser: from Menu Root #1 to Menu Root #4"}},
      {"one title in one language",
       [](MenuTree& t) { SetTitle(t, "Browser", 1, u"Navigateur"); },
       {"~ Browser: Menu title (French): \"Navigateur \u00e9\" \u2192 \"Navigateur\""}},
      {"icon, type and attributes",
       [](MenuTree& t) {
         MenuNode& browser = Find(t, "Browser");
         t.EditRecord(browser, [&](NodeRecord& record) { record.itemType = kPlainItem; });
         t.EditRecord(browser,
                      [&](NodeRecord& record) { record.attributeByte = kAttributeNewEntry; });
         EditData(t, "Browser", [](ItemDataRecord& data) {
           std::get<FileIconChunk>(data.slots[2].content).path = u"/a/x.gif";
         });
       },
       {"~ Browser: Item function: URL link (3) \u2192 [None] (0)",
        "~ Browser: Item attributes: Protected (0x60) \u2192 Lockable (0x41)",
        "~ Browser: Static icon: \"/a/mobile/picture/web.gif\" \u2192 \"/a/x.gif\""}},
      {"moved and changed is one entry",
       [](MenuTree& t) {
         EditData(t, "Games/Calculator", [](ItemDataRecord& data) {
           std::get<TextChunk>(data.slots[1].content).text = "Calc 2";
         });
         MoveBefore(t, Find(t, "Games/Calculator"), Find(t, "DialedCalls [SC]"));
       },
       {"> Calculator: from Games #1 to Menu Root #4",
        "~ Calculator: MIDlet name: \"Calc\" \u2192 \"Calc 2\""}},
      {"chunks added, dropped and reordered",
       [](MenuTree& t) {
         EditData(t, "Browser", [](ItemDataRecord& data) {
           std::swap(data.slots[0], data.slots[1]);
           data.slots.pop_back();
         });
         EditData(t, "Settings",
                  [](ItemDataRecord& data) { data.slots.push_back(ChunkSlot::Action(7)); });
       },
       {"~ Browser: Static icon: \"/a/mobile/picture/web.gif\" \u2192 none",
        "~ Settings: Action code: none \u2192 7"}},
      {"custom entry matched by its data",
       [](MenuTree& t) {
         MenuNode& custom = Find(t, "Games/~1");
         const ItemDataRecord data = DataOf(t, "Games/~1");
         const std::uint8_t type = custom.record().itemType;
         DeleteEntry(t, custom);
         Add(t, "Games/Camera", Placement::Before, kCustomItemName);
         MenuNode& renewed = Find(t, "Games/~2");
         t.EditRecord(renewed, [&](NodeRecord& record) { record.itemType = type; });
         AttachSampleData(t, renewed, data);
       },
       {"~ Games/~2: item: \"~1\" \u2192 \"~2\""}},
      {"soft key replaced",
       [](MenuTree& t) {
         MenuNode& key = *t.softkeys()->children()[1];
         t.EditRecord(key, [&](NodeRecord& record) { record.itemName = "Camera"; });
         t.SetDisplayText(key, "RSK: Camera");
       },
       {"~ Softkeys/RSK: Camera: item: \"Message\" \u2192 \"Camera\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuTree before, after;
    BuildSampleMenu(before);
    BuildSampleMenu(after);
    c.edit(after);
    const FormatOptions options;
    EXPECT_EQ(Lines(CompareMenus({before, options}, {after, options})), c.expected);
  }
}

// Entries of one item told apart by their data and their place.
TEST(MenuComparison, DuplicatesMatchByDataAndPlace) {
  auto build = [](MenuTree& tree, std::vector<std::u16string> titles) {
    BuildSkeleton(tree);
    for (const std::u16string& title : titles) {
      MenuNode* node = AddEntry(tree, *tree.menuRoot(), Placement::LastChild, Item("Calc"), false);
      ASSERT_NE(node, nullptr);
      AttachSampleData(tree, *node, {0, {ChunkSlot::Titles(TitleList::Menu, {{1, title}})}});
    }
  };
  const struct {
    std::vector<std::u16string> before, after;
    std::vector<std::string> expected;
  } cases[] = {
      {{u"x", u"y", u"z"}, {u"x", u"z"}, {"- Calc"}},
      {{u"x", u"z"}, {u"x", u"y", u"z"}, {"+ Calc"}},
      {{u"x", u"y", u"z"}, {u"z", u"x", u"y"}, {"> Calc: from Menu Root #3 to Menu Root #1"}},
      {{u"x", u"y"}, {u"x", u"w"}, {"~ Calc: Menu title (English US): \"y\" \u2192 \"w\""}},
  };
  for (const auto& c : cases) {
    MenuTree before, after;
    build(before, c.before);
    build(after, c.after);
    const FormatOptions options;
    const MenuComparison comparison = CompareMenus({before, options}, {after, options});
    EXPECT_EQ(Lines(comparison), c.expected);
    ASSERT_FALSE(comparison.entries.empty());
    const EntryDifference& first = comparison.entries.front();
    EXPECT_EQ(NodeAtPath(first.after ? after : before, first.place().path)->record().itemName,
              "Calc");
  }
}

// Folder orders compared both ways: the fewest moves explain the new order, the same entries
// move whichever menu comes first, and none moves to where it stood. A starred entry carries a
// title of its own, so that it differs from the plain one.
TEST(MenuComparison, FewestMovesTheSameBothWays) {
  auto build = [](MenuTree& tree, const std::vector<std::string>& entries) {
    BuildSkeleton(tree);
    for (const std::string& entry : entries) {
      const bool edited = entry.ends_with('*');
      MenuNode* node = AddEntry(tree, *tree.menuRoot(), Placement::LastChild,
                                Item(entry.substr(0, entry.size() - edited)), false);
      ASSERT_NE(node, nullptr);
      if (edited)
        AttachSampleData(tree, *node, {0, {ChunkSlot::Titles(TitleList::Menu, {{1, u"own"}})}});
    }
  };
  auto moves = [&](const std::vector<std::string>& from, const std::vector<std::string>& to) {
    MenuTree before, after;
    build(before, from);
    build(after, to);
    const FormatOptions options;
    std::vector<std::string> lines;
    for (const std::string& line : Lines(CompareMenus({before, options}, {after, options})))
      if (line.starts_with("> ")) lines.push_back(line);
    return lines;
  };
  const struct {
    std::vector<std::string> a, b;
    std::vector<std::string> forward, backward;
  } cases[] = {
      {{"Chat", "Games", "Camera"},
       {"Camera", "Games", "Chat"},
       {"> Camera: from Menu Root #3 to Menu Root #1", "> Chat: from Menu Root #1 to Menu Root #3"},
       {"> Chat: from Menu Root #3 to Menu Root #1",
        "> Camera: from Menu Root #1 to Menu Root #3"}},
      {{"Camera", "Games"},
       {"Games", "Camera"},
       {"> Games: from Menu Root #2 to Menu Root #1"},
       {"> Games: from Menu Root #1 to Menu Root #2"}},
      {{"Chat", "Games*", "Camera*"},
       {"Games", "Camera", "Chat"},
       {"> Chat: from Menu Root #1 to Menu Root #3"},
       {"> Chat: from Menu Root #3 to Menu Root #1"}},
      {{"Browser", "Message", "Tools", "Settings"},
       {"Browser", "Tools", "Settings", "Message"},
       {"> Message: from Menu Root #2 to Menu Root #4"},
       {"> Message: from Menu Root #4 to Menu Root #2"}},
      // Three moves would do, but one of them would be Calls from #3 to #3.
      {{"Alarm", "Browser", "Calls", "Dialer", "Email"},
       {"Dialer", "Email", "Calls", "Alarm", "Browser"},
       {"> Dialer: from Menu Root #4 to Menu Root #1", "> Email: from Menu Root #5 to Menu Root #2",
        "> Alarm: from Menu Root #1 to Menu Root #4",
        "> Browser: from Menu Root #2 to Menu Root #5"},
       {"> Alarm: from Menu Root #4 to Menu Root #1",
        "> Browser: from Menu Root #5 to Menu Root #2",
        "> Dialer: from Menu Root #1 to Menu Root #4",
        "> Email: from Menu Root #2 to Menu Root #5"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.forward.front());
    EXPECT_EQ(moves(c.a, c.b), c.forward);
    EXPECT_EQ(moves(c.b, c.a), c.backward);
  }
}

TEST(MenuComparison, FormatDifferencesComeFirst) {
  MenuTree before, after;
  BuildSampleMenu(before);
  BuildSampleMenu(after);
  DeleteEntry(after, Find(after, "Browser"));
  FormatOptions older, newer;
  older.SelectSaveMode(RecordSize::k22);
  older.c698pFix = true;
  older.iconAttribute = IconAttribute::Tag06;
  newer.saveAllData = true;
  EXPECT_EQ(Lines(CompareMenus({before, older}, {after, newer})),
            (std::vector<std::string>{"~ format: MMA save mode: 22-byte \u2192 36-byte",
                                      "~ format: c698p mma_ucp fix: on \u2192 off",
                                      "~ format: Custom icon attribute: 06 \u2192 0C",
                                      "~ format: Save all data: off \u2192 on", "- Browser"}));
}

// A menu compared with itself is the same, and the order of the result does not depend on how
// often it is made.
TEST(MenuComparison, RandomMenusAgainstThemselvesAndEachOther) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const RandomMenu a = MakeRandomMenu(seed);
    const RandomMenu b = MakeRandomMenu(seed + 100);
    EXPECT_TRUE(CompareMenus({a.tree, a.options}, {a.tree, a.options}).Same());
    const MenuComparison once = CompareMenus({a.tree, a.options}, {b.tree, b.options});
    EXPECT_EQ(once, CompareMenus({a.tree, a.options}, {b.tree, b.options}));
    std::size_t added = 0, removed = 0;
    for (const EntryDifference& entry : once.entries) {
      added += entry.change == EntryChange::Added;
      removed += entry.change == EntryChange::Removed;
    }
    EXPECT_EQ(a.tree.EntryCount() + added - removed, b.tree.EntryCount());
    // B against A moves the same entries back.
    using Move = std::pair<std::vector<std::size_t>, std::vector<std::size_t>>;
    std::vector<Move> forward, backward;
    for (const EntryDifference& entry : once.entries)
      if (entry.change == EntryChange::Moved)
        forward.emplace_back(entry.before->path, entry.after->path);
    for (const EntryDifference& entry :
         CompareMenus({b.tree, b.options}, {a.tree, a.options}).entries)
      if (entry.change == EntryChange::Moved)
        backward.emplace_back(entry.after->path, entry.before->path);
    std::sort(forward.begin(), forward.end());
    std::sort(backward.begin(), backward.end());
    EXPECT_EQ(forward, backward);
  }
}

}  // namespace
}  // namespace menuforge::test

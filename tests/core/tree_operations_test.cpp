#include <gtest/gtest.h>

#include <functional>

#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

std::vector<std::string> Names(const MenuNode& parent) {
  std::vector<std::string> names;
  for (const auto& child : parent.children()) names.push_back(child->record().itemName);
  return names;
}

TEST(TreeOperations, SkeletonOfANewMenu) {
  MenuTree tree = NewMenu();
  ASSERT_EQ(tree.NodeCount(), 9u);
  const std::vector<std::string> texts = {
      "Softkeys",           "LSK: PhoneBook",     "RSK: Message",
      "Up: RecentCall",     "Down: Multimedia",   "Left: Datebook",
      "Right: MMRingStyle", "Smart: VoiceRecord", "Menu Root"};
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(tree.NodeAt(i)->displayText(), texts[i]);
  EXPECT_EQ(tree.NodeAt(4)->record().itemName, "Mutilmedia");
  for (std::size_t i = 1; i <= 7; ++i) {
    const NodeRecord& key = tree.NodeAt(i)->record();
    EXPECT_EQ(key.recordKey, i + 2);
    EXPECT_EQ(key.attributeByte, 0x41);
    EXPECT_EQ(key.marker, 0xCC);
    EXPECT_FALSE(key.mayHaveSubitems);
  }
  EXPECT_EQ(tree.menuRoot()->record().firstChildIndex, 10);
  EXPECT_EQ(tree.menuRoot()->record().recordKey, 10);
}

TEST(TreeOperations, EmptyTreeKeepsTheCounter) {
  MenuTree tree = NewMenu();
  ASSERT_NE(AddEntry(tree, *tree.menuRoot(), Placement::LastChild, {}, true), nullptr);
  AttachData(tree, *tree.NodeAt(9), Titles(TitleList::Menu, {{1, u"x"}}));
  EmptyTree(tree);
  EXPECT_TRUE(tree.empty());
  EXPECT_EQ(tree.itemData().size(), 0u);
  EXPECT_EQ(tree.customItemCounter, 1);
}

struct Notices : TreeObserver {
  std::vector<MenuNode*> changed;
  void AboutToInsert(MenuNode*, std::size_t) override {}
  void Inserted() override {}
  void AboutToRemove(MenuNode*) override {}
  void Removed() override {}
  void AboutToMove(MenuNode*, MenuNode*, std::size_t) override {}
  void Moved() override {}
  void AboutToReset() override {}
  void Reset() override {}
  void RecordChanged(MenuNode* node) override { changed.push_back(node); }
};

// Record flag, record length, table entry and notice always change together.
TEST(TreeOperations, EntryDataRule) {
  const ChunkSlot unknown = ChunkSlot::UnknownGroup({{0x30, {1, 2, 3}}});
  struct Case {
    const char* name;
    std::optional<std::vector<ChunkSlot>> before, after;
    bool saveAllData;
    bool modified;
    std::uint16_t length;
  };
  const std::vector<Case> cases = {
      {"gains data", std::nullopt, std::vector{ChunkSlot::Action(7)}, false, true, 5},
      {"loses data", std::vector{ChunkSlot::Action(7)}, std::nullopt, false, false, 0},
      {"nothing to lose", std::nullopt, std::nullopt, false, false, 0},
      {"unknown data left out of the length", std::nullopt,
       std::vector{ChunkSlot::Action(7), unknown}, false, true, 5},
      {"unknown data counted with all data", std::nullopt,
       std::vector{ChunkSlot::Action(7), unknown}, true, true, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuTree tree = NewMenu();
    MenuNode& node = *AddLast(tree, *tree.menuRoot(), "Games");
    if (c.before) tree.SetEntryData(node, ItemDataRecord{0, *c.before});
    Notices notices;
    tree.SetObserver(&notices);
    tree.SetEntryData(node, c.after ? std::optional(ItemDataRecord{0, *c.after}) : std::nullopt,
                      c.saveAllData);
    EXPECT_EQ(node.record().modified, c.modified);
    EXPECT_EQ(node.record().dataLength, c.length);
    EXPECT_EQ(tree.itemData().Find(node.record().recordKey) != nullptr, c.modified);
    EXPECT_EQ(notices.changed, std::vector<MenuNode*>{&node});
    tree.SetObserver(nullptr);
  }
}

// Record writes leave the key to the numbering and the data flag and length to the item data;
// each is told once, a data length only when it changed.
TEST(TreeOperations, RecordWritesKeepTheEntryDataRule) {
  const ChunkSlot unknown = ChunkSlot::UnknownGroup({{0x30, {1, 2, 3}}});
  struct Case {
    const char* name;
    std::function<void(MenuTree&, MenuNode&)> write;
    std::uint8_t type;
    std::string text;
    std::uint16_t length;
    std::size_t notices;
  };
  const std::vector<Case> cases = {
      {"an edit of every field",
       [](MenuTree& tree, MenuNode& node) {
         tree.EditRecord(node, [](NodeRecord& record) {
           record = NodeRecord{};
           record.itemType = kUrlLink;
         });
       },
       kUrlLink, "Games", 5, 1},
      {"a display text",
       [](MenuTree& tree, MenuNode& node) { tree.SetDisplayText(node, "Spiele"); }, kPlainItem,
       "Spiele", 5, 1},
      {"a length that stays",
       [](MenuTree& tree, MenuNode& node) { tree.RefreshDataLength(node, false); }, kPlainItem,
       "Games", 5, 0},
      {"a length with all data",
       [](MenuTree& tree, MenuNode& node) { tree.RefreshDataLength(node, true); }, kPlainItem,
       "Games", 11, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MenuTree tree = NewMenu();
    MenuNode& node = *AddLast(tree, *tree.menuRoot(), "Games");
    tree.SetEntryData(node, ItemDataRecord{0, {ChunkSlot::Action(7), unknown}});
    const NodeRecord before = node.record();
    Notices notices;
    tree.SetObserver(&notices);
    c.write(tree, node);
    tree.SetObserver(nullptr);
    EXPECT_EQ(node.record().itemType, c.type);
    EXPECT_EQ(node.displayText(), c.text);
    EXPECT_EQ(node.record().recordKey, before.recordKey);
    EXPECT_TRUE(node.record().modified);
    EXPECT_EQ(node.record().dataLength, c.length);
    EXPECT_NE(tree.itemData().Find(node.record().recordKey), nullptr);
    EXPECT_EQ(notices.changed, std::vector<MenuNode*>(c.notices, &node));
  }
}

TEST(TreeOperations, PlacementsOfNewEntries) {
  MenuTree tree = NewMenu();
  MenuNode& root = *tree.menuRoot();
  MenuNode* b = AddLast(tree, root, "B");
  ASSERT_NE(AddEntry(tree, *b, Placement::Before, Entry("A"), false), nullptr);
  ASSERT_NE(AddEntry(tree, *b, Placement::FirstSibling, Entry("C"), false), nullptr);
  ASSERT_NE(AddEntry(tree, *b, Placement::FirstChild, Entry("B1"), false), nullptr);
  MenuNode* first = AddEntry(tree, *b, Placement::FirstChild, Entry("A1"), false);
  ASSERT_NE(AddEntry(tree, *b, Placement::LastChild, Entry("A2"), false), nullptr);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(Names(*b), (std::vector<std::string>{"A1", "B1", "A2"}));
  EXPECT_EQ(b->record().itemType, kFolder);
  EXPECT_EQ(first->record().attributeByte, 0x41);
  EXPECT_EQ(first->record().parentIndex, 12);  // B is record 12
  EXPECT_EQ(b->record().firstChildIndex, 13);
}

TEST(TreeOperations, FirstSubitemKeepsOnlyTitlesAndIcons) {
  MenuTree tree = NewMenu();
  MenuNode* withTitle = AddLast(tree, *tree.menuRoot(), "A");
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::Text(TextField::Url, "http://x"));
  record.slots.push_back(ChunkSlot::Titles(TitleList::Menu, {{1, u"AB"}}));
  AttachData(tree, *withTitle, record);
  tree.EditRecord(*withTitle, [&](NodeRecord& record) { record.itemType = kUrlLink; });
  AddLast(tree, *withTitle, "A1");
  EXPECT_EQ(withTitle->record().itemType, kFolder);
  const ItemDataRecord* kept = tree.itemData().Find(withTitle->record().recordKey);
  ASSERT_NE(kept, nullptr);
  ASSERT_EQ(kept->slots.size(), 1u);
  EXPECT_EQ(kept->slots[0], ChunkSlot::Titles(TitleList::Menu, {{1, u"AB"}}));
  EXPECT_EQ(withTitle->record().dataLength, 14);

  MenuNode* urlOnly = AddLast(tree, *tree.menuRoot(), "B");
  ItemDataRecord url;
  url.slots.push_back(ChunkSlot::Text(TextField::Url, "http://x"));
  AttachData(tree, *urlOnly, url);
  AddLast(tree, *urlOnly, "B1");
  EXPECT_EQ(tree.itemData().Find(urlOnly->record().recordKey), nullptr);
  EXPECT_FALSE(urlOnly->record().modified);
  EXPECT_EQ(urlOnly->record().dataLength, 0);
}

TEST(TreeOperations, DeletingTheOnlyChildMakesAPlainItem) {
  MenuTree tree = NewMenu();
  MenuNode* folder = AddLast(tree, *tree.menuRoot(), "A");
  MenuNode* child = AddLast(tree, *folder, "A1");
  MenuNode* grandchild = AddLast(tree, *child, "A1a");
  AttachData(tree, *grandchild, Titles(TitleList::Menu, {{1, u"x"}}));
  DeleteEntry(tree, *child);
  EXPECT_EQ(folder->record().itemType, kPlainItem);
  EXPECT_EQ(folder->record().firstChildIndex, 0xFF);
  EXPECT_EQ(tree.itemData().size(), 0u);
  EXPECT_EQ(tree.NodeCount(), 10u);
}

TEST(TreeOperations, MovesAtTheEndsOfALevel) {
  MenuTree tree = NewMenu();
  MenuNode& root = *tree.menuRoot();
  MenuNode* a = AddLast(tree, root, "A");
  MenuNode* b = AddLast(tree, root, "B");
  MenuNode* c = AddLast(tree, root, "C");
  MoveUp(tree, *a);
  MoveDown(tree, *c);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"A", "B", "C"}));
  MoveDown(tree, *a);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"B", "A", "C"}));
  MoveDown(tree, *a);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"B", "C", "A"}));
  MoveUp(tree, *a);
  EXPECT_EQ(Names(root), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(b->record().recordKey, 11);
  EXPECT_EQ(c->record().nextIndex, 0xFF);
}

TEST(TreeOperations, MovedDataFollowsItsEntry) {
  MenuTree tree = NewMenu();
  MenuNode& root = *tree.menuRoot();
  MenuNode* a = AddLast(tree, root, "A");
  AddLast(tree, root, "B");
  MenuNode* c = AddLast(tree, root, "C");
  AttachData(tree, *c, Titles(TitleList::Menu, {{1, u"C"}}));
  ASSERT_EQ(c->record().recordKey, 13);  // record 12
  MoveBefore(tree, *c, *a);
  EXPECT_EQ(c->record().recordKey, 11);
  const ItemDataRecord* data = tree.itemData().Find(11);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->ownerKey, 11);
  EXPECT_EQ(data->slots[0], ChunkSlot::Titles(TitleList::Menu, {{1, u"C"}}));
  EXPECT_EQ(tree.itemData().Find(13), nullptr);
}

TEST(TreeOperations, MoveBeforeOwnDescendantDoesNothing) {
  MenuTree tree = NewMenu();
  MenuNode* a = AddLast(tree, *tree.menuRoot(), "A");
  MenuNode* a1 = AddLast(tree, *a, "A1");
  MoveBefore(tree, *a, *a1);
  MoveBefore(tree, *a, *a);
  EXPECT_EQ(Names(*tree.menuRoot()), (std::vector<std::string>{"A"}));
  EXPECT_EQ(Names(*a), (std::vector<std::string>{"A1"}));

  MenuNode* b = AddLast(tree, *tree.menuRoot(), "B");
  MoveBefore(tree, *b, *a1);  // into another level
  EXPECT_EQ(Names(*a), (std::vector<std::string>{"B", "A1"}));
  EXPECT_EQ(b->record().parentIndex, 10);
}

TEST(TreeOperations, ReplaceStartsWithoutData) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "A");
  AttachData(tree, *entry, Titles(TitleList::Menu, {{1, u"x"}}));
  ReplaceEntry(tree, *entry, Entry("Games"), false);
  EXPECT_FALSE(entry->record().modified);
  EXPECT_EQ(entry->record().dataLength, 0);
  EXPECT_EQ(tree.itemData().Find(entry->record().recordKey), nullptr);
  EXPECT_EQ(entry->record().itemName, "Games");
  EXPECT_EQ(entry->record().attributeByte, 0x40);

  MenuNode* lsk = tree.NodeAt(1);
  AttachData(tree, *lsk, Titles(TitleList::Softkey, {{1, u"x"}}));
  ReplaceEntry(tree, *lsk, {"Games", "All games", true}, false);
  EXPECT_EQ(lsk->displayText(), "LSK: All games");
  EXPECT_EQ(tree.itemData().Find(3), nullptr);

  ReplaceEntry(tree, *entry, {}, true);
  EXPECT_EQ(entry->record().itemName, "~1");
  EXPECT_EQ(entry->record().titleMode, 24);
}

TEST(TreeOperations, CustomItemsAreNumbered) {
  MenuTree tree = NewMenu();
  MenuNode* target = AddLast(tree, *tree.menuRoot(), "A");
  std::vector<std::string> names;
  for (int i = 0; i < 3; ++i) {
    MenuNode* node = AddEntry(tree, *target, Placement::Before, {}, true);
    names.push_back(node->record().itemName);
    EXPECT_EQ(node->displayText(), node->record().itemName);
    EXPECT_EQ(node->record().titleMode, 24);
    EXPECT_TRUE(node->record().mayHaveSubitems);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"~1", "~2", "~3"}));
}

TEST(TreeOperations, ShortcutEntriesCarryTheirData) {
  MenuTree tree = NewMenu();
  const ItemTable items = TestItems();
  MenuNode* node = AddEntry(tree, *tree.menuRoot(), Placement::LastChild,
                            items.at(items.Find("DialedCalls")), false);
  EXPECT_EQ(node->record().itemType, kShortcut);
  EXPECT_EQ(node->record().dataLength, 28);
  EXPECT_TRUE(node->record().modified);

  FormatOptions options;
  Bytes file;
  ASSERT_EQ(EncodeMenuFile(tree, options, items, file).status(), SaveStatus::Saved);
  Bytes expected = HexBytes("17 00 19");
  for (char c : std::string("DialedCalls")) expected.push_back(static_cast<std::uint8_t>(c));
  expected.resize(28, 0);
  EXPECT_EQ(Bytes(file.end() - 28, file.end()), expected);

  MenuNode* plain = AddLast(tree, *tree.menuRoot(), "Games");
  EXPECT_EQ(plain->record().itemType, kPlainItem);
  EXPECT_FALSE(plain->record().modified);
}

TEST(TreeOperations, RecordNumbersFollowGroupOrder) {
  MenuTree tree = NewMenu();
  MenuNode& root = *tree.menuRoot();
  MenuNode* a = AddLast(tree, root, "A");
  MenuNode* b = AddLast(tree, root, "B");
  MenuNode* a1 = AddLast(tree, *a, "A1");
  MenuNode* a2 = AddLast(tree, *a, "A2");
  MenuNode* a1a = AddLast(tree, *a1, "A1a");
  MenuNode* a2a = AddLast(tree, *a2, "A2a");
  MenuNode* b1 = AddLast(tree, *b, "B1");
  // Records: A 10, B 11, A1 12, A2 13, A1a 14, A2a 15, B1 16.
  const std::vector<std::pair<MenuNode*, int>> expected = {{a, 11},   {b, 12},   {a1, 13}, {a2, 14},
                                                           {a1a, 15}, {a2a, 16}, {b1, 17}};
  for (const auto& [node, key] : expected) {
    EXPECT_EQ(node->record().recordKey, key) << node->record().itemName;
    EXPECT_EQ(RecordNumberOf(tree, *node), key) << node->record().itemName;
  }
  EXPECT_EQ(RecordNumberOf(tree, root), 10);
}

}  // namespace
}  // namespace menuforge::test

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "support/loaded_menus.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

LoadedMenu Load(const Bytes& bytes, bool profileIsDefault = true,
                const ItemTable& items = TestItems()) {
  return LoadedFrom(bytes, items, profileIsDefault);
}

Bytes Save(MenuTree& tree, int recordSize, bool c698p = false) {
  FormatOptions options;
  options.SelectSaveMode(*RecordSizeOf(recordSize));
  options.c698pFix = c698p;
  options.saveAllData = true;
  Bytes bytes;
  EXPECT_EQ(EncodeMenuFile(tree, options, TestItems(), bytes).status(), SaveStatus::Saved);
  return bytes;
}

// Hand-made 22-byte records for files the saver would never write.
Bytes Record22(std::uint8_t type, std::uint8_t parent, std::uint8_t next, std::uint8_t child,
               const std::string& name, std::uint16_t offset = 0, std::uint16_t length = 0) {
  Bytes record = {type, parent, next, child, 0, 0x41};
  for (std::size_t i = 0; i < 12; ++i)
    record.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
  record.insert(record.end(),
                {static_cast<std::uint8_t>(offset >> 8), static_cast<std::uint8_t>(offset),
                 static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
  return record;
}

// The fixed records of a 22-byte file from a new menu, with `entries` records and `data` after.
Bytes File22(const std::vector<Bytes>& entries, const Bytes& data = {}) {
  MenuTree tree = NewMenu();
  Bytes file = Save(tree, 22);
  file.resize(10 + 10 * 22);
  file[2] = static_cast<std::uint8_t>(10 + entries.size());
  for (const Bytes& e : entries) file.insert(file.end(), e.begin(), e.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

std::vector<std::string> Names(const MenuNode& parent) {
  std::vector<std::string> names;
  for (const auto& child : parent.children()) names.push_back(child->record().itemName);
  return names;
}

TEST(MenuLoader, RecordSizeComesFromByte41Alone) {
  MenuTree tree = NewMenu();
  Bytes file = Save(tree, 36);
  file[6] = file[7] = 0xFF;
  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  EXPECT_EQ(loaded.state.recordSize, 36);
  EXPECT_EQ(loaded.state.dataSectionOffset, 370u);
  EXPECT_EQ(loaded.options.saveMode, RecordSize::k36);
  EXPECT_EQ(loaded.options.iconAttribute, IconAttribute::Tag0C);
  EXPECT_FALSE(loaded.options.iconAttributeEnabled);
  EXPECT_FALSE(loaded.options.c698pFix);
  EXPECT_FALSE(loaded.options.c698pEnabled);
  EXPECT_EQ(loaded.tree.NodeCount(), 9u);
}

TEST(MenuLoader, C698pFixAndIconTagOf22ByteFiles) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "Games");
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::FileIcon(kListIcon, u"/a/one.gif"));
  record.slots.push_back(ChunkSlot::FileIcon(kStaticIcon, u"/a/two.gif"));
  AttachData(tree, *entry, record);
  Bytes file = Save(tree, 22, true);
  // The first icon chunk carries 0C, the last 06: the last one read decides.
  const std::size_t second = 10 + 11 * 22 + 3 + 23;
  ASSERT_EQ(file[second], 0x0C);
  file[second] = 0x06;

  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  EXPECT_EQ(loaded.options.saveMode, RecordSize::k22);
  EXPECT_TRUE(loaded.options.c698pFix);
  EXPECT_TRUE(loaded.options.c698pEnabled);
  EXPECT_TRUE(loaded.options.iconAttributeEnabled);
  EXPECT_EQ(loaded.options.iconAttribute, IconAttribute::Tag06);
  const ItemDataRecord* data = loaded.tree.itemData().Find(11);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->slots[1], ChunkSlot::FileIcon(kStaticIcon, u"/a/two.gif"));
}

// Chunks written with tag 06 in both record sizes: only 22-byte records may keep it.
TEST(MenuLoader, OnlyA22ByteFileTakesTheIconTagOfItsChunks) {
  MenuTree tree = NewMenu();
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::FileIcon(kListIcon, u"/a/one.gif"));
  AttachData(tree, *AddLast(tree, *tree.menuRoot(), "Games"), record);
  for (const auto& [recordSize, expected] : {std::pair{RecordSize::k22, IconAttribute::Tag06},
                                             {RecordSize::k36, IconAttribute::Tag0C}}) {
    FormatOptions options;
    options.SelectSaveMode(recordSize);
    options.iconAttribute = IconAttribute::Tag06;
    Bytes bytes;
    ASSERT_EQ(EncodeMenuFile(tree, options, TestItems(), bytes).status(), SaveStatus::Saved);
    EXPECT_EQ(Load(bytes).options.iconAttribute, expected) << RecordBytes(recordSize);
  }
}

TEST(MenuLoader, CustomItemCounter) {
  MenuTree tree = NewMenu();
  for (const char* name : {"~3", "~12", "~x"}) {
    MenuNode* node = AddEntry(tree, *tree.menuRoot(), Placement::LastChild, {}, true);
    tree.EditRecord(*node, [&](NodeRecord& record) { record.itemName = name; });
  }
  tree.EditRecord(*tree.NodeAt(1), [&](NodeRecord& record) { record.itemName = "~5"; });
  const Bytes file = Save(tree, 36);

  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  // The soft key, read first, adds one; the main menu's names then raise the counter to 12.
  EXPECT_EQ(loaded.tree.customItemCounter, 12);
  EXPECT_EQ(loaded.tree.NodeAt(1)->displayText(), "LSK: ~5");
  MenuNode* added = AddEntry(loaded.tree, *loaded.tree.menuRoot(), Placement::LastChild, {}, true);
  EXPECT_EQ(added->record().itemName, "~13");

  // Loading keeps the highest value reached.
  loaded.tree.customItemCounter = 40;
  EmptyTree(loaded.tree);
  const ItemTable items = TestItems();
  ASSERT_EQ(ParseMenuFile(file, {items, true}, loaded.tree, loaded.options, loaded.state).status(),
            LoadStatus::Loaded);
  EXPECT_EQ(loaded.tree.customItemCounter, 41);
}

TEST(MenuLoader, GroupsEndAtAnotherParentIndex) {
  const Bytes file = File22({Record22(0, 9, 11, 0xFF, "A"), Record22(0, 9, 12, 0xFF, "B"),
                             Record22(0, 10, 0xFF, 0xFF, "C")});
  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  EXPECT_EQ(Names(*loaded.tree.menuRoot()), (std::vector<std::string>{"A", "B"}));
  // C is in no folder; the phone may still read it, so it is kept aside and told of.
  EXPECT_EQ(
      loaded.result->warnings,
      std::vector<std::string>{"1 record belongs to no folder of the menu and was not read: 12"});
  EXPECT_EQ(loaded.result->dropped,
            (std::vector<DroppedData>{{kUnreadRecordsKey, Record22(0, 10, 0xFF, 0xFF, "C")}}));
}

TEST(MenuLoader, NoChildrenWithoutAFirstChildIndex) {
  const Bytes file = File22({Record22(1, 9, 0xFF, 0xFF, "A"), Record22(0, 10, 0xFF, 0xFF, "A1")});
  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  EXPECT_EQ(Names(*loaded.tree.menuRoot()), (std::vector<std::string>{"A"}));
  // A childless folder becomes a plain item when the tree is renumbered.
  EXPECT_EQ(loaded.tree.NodeAt(9)->record().itemType, kPlainItem);
}

TEST(MenuLoader, UnknownChunksKeepTheSlotOfTheFirst) {
  const Bytes data = HexBytes("02 00 01 AA  00 00 07 01 01 00 00 02 00 00  03 00 00");
  const Bytes file = File22({Record22(0, 9, 0xFF, 0xFF, "Games", 0, 17)}, data);
  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  const ItemDataRecord* record = loaded.tree.itemData().Find(11);
  ASSERT_NE(record, nullptr);
  ASSERT_EQ(record->slots.size(), 2u);
  EXPECT_EQ(record->slots[0], ChunkSlot::UnknownGroup({{2, HexBytes("AA")}, {3, {}}}));
  EXPECT_EQ(record->slots[0].length(), 7u);
  EXPECT_EQ(record->slots[1], ChunkSlot::Titles(TitleList::Menu, {{1, u""}}));
  EXPECT_EQ(DataLength(record, false), 10u);
  EXPECT_EQ(DataLength(record, true), 17u);
}

TEST(MenuLoader, DataMissingFromTheFile) {
  MenuTree tree = NewMenu();
  AttachData(tree, *tree.NodeAt(1), Titles(TitleList::Softkey, {{1, u"Go"}}));
  Bytes file = Save(tree, 36);
  file.resize(370);  // ends where the data section begins

  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
  EXPECT_TRUE(loaded.tree.NodeAt(1)->record().modified);
  EXPECT_EQ(loaded.tree.itemData().Find(3), nullptr);

  file.push_back(0x01);  // now the data section exists but the block is cut short
  loaded = Load(file);
  EXPECT_EQ(loaded.tree.itemData().Find(3), nullptr);
  ASSERT_EQ(loaded.result->warnings.size(), 1u);
  EXPECT_EQ(loaded.result->warnings[0],
            "Entry \"PhoneBook\": its data lies beyond the end of the file and was not read");
}

TEST(MenuLoader, ItemsOutsideTheProfile) {
  const Bytes file = File22({Record22(9, 9, 11, 0xFF, "Foo"), Record22(0, 9, 0xFF, 0xFF, "Bar")});

  LoadedMenu strict = Load(file, false);
  EXPECT_EQ(strict.result.status(), LoadStatus::ProfileMismatch);
  EXPECT_TRUE(strict.tree.empty());

  LoadedMenu open = Load(file, true);
  ASSERT_EQ(open.result.status(), LoadStatus::Loaded);
  EXPECT_EQ(open.result->missingItems, (std::vector<MissingItem>{{"Foo", true}, {"Bar", false}}));
  EXPECT_EQ(open.tree.NodeAt(9)->displayText(), "");
  EXPECT_EQ(open.tree.NodeAt(9)->record().itemName, "Foo");
}

TEST(MenuLoader, OwnTitleModeOfPlacedItems) {
  Bytes custom = Record22(0, 9, 11, 0xFF, "~2");
  Bytes placed = Record22(0, 9, 0xFF, 0xFF, "Games");
  custom[4] = placed[4] = 24;
  LoadedMenu loaded = Load(File22({custom, placed}));
  EXPECT_EQ(loaded.tree.NodeAt(9)->record().titleMode, 24);
  EXPECT_EQ(loaded.tree.NodeAt(10)->record().titleMode, 8);
}

TEST(MenuLoader, SavingAnUnchangedFileGivesItBack) {
  MenuTree tree = NewMenu();
  MenuNode* a = AddLast(tree, *tree.menuRoot(), "A");
  MenuNode* a1 = AddLast(tree, *a, "A1");
  AddLast(tree, *tree.menuRoot(), "B");
  ItemDataRecord all;
  all.slots.push_back(ChunkSlot::Titles(TitleList::Menu, {{1, u"Álbum"}, {35, u"Меню"}}));
  all.slots.push_back(ChunkSlot::FileIcon(kAnimatedIcon, u"/a/mobile/picture/x.gif"));
  all.slots.push_back(ChunkSlot::DrmIcon(DrmIconKind::Static, 0x12, 5000));
  AttachData(tree, *a, all);
  ItemDataRecord function;
  function.slots.push_back(ChunkSlot::Text(TextField::Url, "http://example.com/"));
  function.slots.push_back(ChunkSlot::Code(CallCode::Code12, 7));
  function.slots.push_back(ChunkSlot::Action(0x1234));
  AttachData(tree, *a1, function);
  AttachShortcut(tree, *tree.NodeAt(2), "DialedCalls");

  for (int size : {22, 36}) {
    const Bytes file = Save(tree, size);
    LoadedMenu loaded = Load(file);
    ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded);
    EXPECT_TRUE(loaded.result->warnings.empty());
    EXPECT_EQ(Save(loaded.tree, size), file) << size;
    EXPECT_EQ(*loaded.tree.itemData().Find(11), *tree.itemData().Find(11));
  }
}

TEST(MenuLoader, RejectsFilesTooShortForTheFixedRecords) {
  MenuTree tree = NewMenu();
  const Bytes file = Save(tree, 22);
  LoadedMenu shortFile = Load(Bytes(file.begin(), file.begin() + 200));
  EXPECT_EQ(shortFile.result.status(), LoadStatus::Failed);
  EXPECT_EQ(shortFile.result.errorText(),
            "The file is too short to be an mma_ucp file: it must hold at least the ten fixed "
            "records");
  EXPECT_TRUE(shortFile.tree.empty());
  EXPECT_EQ(Load({}).result.status(), LoadStatus::Failed);

  Bytes fewRecords = file;
  fewRecords[2] = 9;
  EXPECT_EQ(Load(fewRecords).result.errorText(),
            "The file is not an mma_ucp file: its header counts fewer than ten records");
}

TEST(MenuLoader, StopsAtTheRecordCount) {
  // The data section begins with bytes that read like a record of the last group.
  Bytes file = File22({Record22(0, 9, 0xFF, 0xFF, "A")});
  const Bytes lookalike = Record22(0, 9, 0xFF, 0xFF, "B");
  file.insert(file.end(), lookalike.begin(), lookalike.end());
  LoadedMenu loaded = Load(file);
  EXPECT_EQ(Names(*loaded.tree.menuRoot()), (std::vector<std::string>{"A"}));
}

TEST(MenuLoader, RecordsThatPointBackAreRefused) {
  const Bytes file = File22({Record22(1, 9, 11, 10, "A"), Record22(1, 9, 0xFF, 10, "B")});
  LoadedMenu loaded = Load(file);
  ASSERT_EQ(loaded.result.status(), LoadStatus::Failed);
  EXPECT_EQ(loaded.result.errorText(),
            "The file is not an mma_ucp file: record 10 links back to record 10, so its links run "
            "in a loop");
  EXPECT_TRUE(loaded.tree.empty());
}

// A FIFO would keep the reader waiting for a writer that never comes.
TEST(MenuLoader, OnlyRegularFilesAreRead) {
  TempFolder folder;
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0644), 0);
  std::filesystem::create_directory(folder / "folder");
  const std::vector<std::pair<std::filesystem::path, std::string>> cases = {
      {"/nonexistent/mma_ucp", "No such file or directory"},
      {folder / "fifo", "It is not a regular file"},
      {folder / "folder", "It is not a regular file"},
  };
  for (const auto& [path, why] : cases) {
    MenuTree tree;
    FormatOptions options;
    FormatState state;
    const ItemTable items = TestItems();
    const LoadResult result = LoadMenuFile(path, {items, true}, tree, options, state);
    EXPECT_EQ(result.status(), LoadStatus::Failed);
    EXPECT_EQ(result.errorText(), "Cannot open file \"" + path.string() + "\". " + why);
  }
}

}  // namespace
}  // namespace menuforge::test

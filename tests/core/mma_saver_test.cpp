#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "support/test_support.h"

namespace menuforge::test {
namespace {

FormatOptions Mode(int recordSize) {
  FormatOptions options;
  options.SelectSaveMode(*RecordSizeOf(recordSize));
  return options;
}

Bytes Encode(MenuTree& tree, const FormatOptions& options) {
  Bytes bytes;
  const SaveResult result = EncodeMenuFile(tree, options, TestItems(), bytes);
  EXPECT_EQ(result.status(), SaveStatus::Saved) << result.errorText();
  return bytes;
}

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t n) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
               bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
}

Bytes Record(const Bytes& file, int recordSize, std::size_t number) {
  return Slice(file, 10 + number * recordSize, recordSize);
}

TEST(MenuSaver, HeaderOfBothRecordSizes) {
  MenuTree tree = NewMenu();
  for (const char* id : {"A", "B", "C"}) AddLast(tree, *tree.menuRoot(), id);
  EXPECT_EQ(Slice(Encode(tree, Mode(36)), 0, 10), HexBytes("00 01 0D 01 FF FF 15 02 FF FF"));
  EXPECT_EQ(Slice(Encode(tree, Mode(22)), 0, 10), HexBytes("00 01 0D 01 FF FF FF FF FF FF"));

  FormatOptions fixed = Mode(22);
  fixed.c698pFix = true;
  const Bytes withFix = Encode(tree, fixed);
  EXPECT_EQ(withFix[1], 0x03);
  EXPECT_EQ(Slice(withFix, 6, 2), HexBytes("FF FF"));
  const Bytes after36 = Encode(tree, Mode(36));
  EXPECT_EQ(after36[1], 0x01);
  EXPECT_EQ(Slice(after36, 6, 2), HexBytes("15 02"));
}

TEST(MenuSaver, FixedRecordsOfANewMenu) {
  MenuTree tree = NewMenu();
  const Bytes file36 = Encode(tree, Mode(36));
  ASSERT_EQ(file36.size(), 10u + 10 * 36);
  EXPECT_EQ(Record(file36, 36, 0),
            HexBytes("01 FF FF 01 00 00 52 6F 6F 74 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                     "00 00 00 00 00 00 CC 00 00 00 00"));
  EXPECT_EQ(Record(file36, 36, 1),
            HexBytes("01 01 02 FF 00 00 43 6F 6E 74 61 69 6E 65 72 00 00 00 00 00 00 00 00 00 00 "
                     "00 00 00 00 00 00 CC 00 00 00 00"));
  // Soft key 3 is stored as "Mutilmedia", the phones' own spelling.
  EXPECT_EQ(Record(file36, 36, 5),
            HexBytes("00 FF FF FF 00 41 4D 75 74 69 6C 6D 65 64 69 61 00 00 00 00 00 00 00 00 00 "
                     "00 00 00 00 00 00 CC 00 00 00 00"));
  // An empty main menu: "MenuRoot" points to no first child.
  EXPECT_EQ(Record(file36, 36, 9),
            HexBytes("01 FF FF FF 00 00 4D 65 6E 75 52 6F 6F 74 00 00 00 00 00 00 00 00 00 00 00 "
                     "00 00 00 00 00 00 CD 00 00 00 00"));
  EXPECT_EQ(file36[41], 0xCC);

  const Bytes file22 = Encode(tree, Mode(22));
  ASSERT_EQ(file22.size(), 10u + 10 * 22);
  EXPECT_EQ(Record(file22, 22, 0),
            HexBytes("01 FF FF 01 00 00 52 6F 6F 74 00 00 00 00 00 00 00 00 00 00 00 00"));
  EXPECT_EQ(file22[41], 0x74);  // the "t" of "Container"
}

TEST(MenuSaver, OneEntryMenu) {
  MenuTree tree = NewMenu();
  AddLast(tree, *tree.menuRoot(), "Games");
  const Bytes file = Encode(tree, Mode(36));
  EXPECT_EQ(file[2], 11);
  EXPECT_EQ(Record(file, 36, 9)[3], 10);
  const Bytes entry = Record(file, 36, 10);
  EXPECT_EQ(Slice(entry, 0, 6), HexBytes("00 09 FF FF 00 41"));
  EXPECT_EQ(entry[31], 0xCD);
}

TEST(MenuSaver, GroupOrderAndLinks) {
  MenuTree tree = NewMenu();
  MenuNode& root = *tree.menuRoot();
  MenuNode* a = AddLast(tree, root, "A");
  MenuNode* b = AddLast(tree, root, "B");
  AddLast(tree, root, "C");
  MenuNode* a1 = AddLast(tree, *a, "A1");
  AddLast(tree, *a, "A2");
  AddLast(tree, *a1, "A1a");
  AddLast(tree, *b, "B1");

  const Bytes file = Encode(tree, Mode(22));
  struct Expected {
    std::size_t record;
    std::string name;
    std::string links;  // type, parent, next, first child
  };
  const std::vector<Expected> expected = {
      {10, "A", "01 09 0B 0D"},  {11, "B", "01 09 0C 10"},  {12, "C", "00 09 FF FF"},
      {13, "A1", "01 0A 0E 0F"}, {14, "A2", "00 0A FF FF"}, {15, "A1a", "00 0D FF FF"},
      {16, "B1", "00 0B FF FF"},
  };
  for (const auto& e : expected) {
    const Bytes record = Record(file, 22, e.record);
    EXPECT_EQ(Slice(record, 0, 4), HexBytes(e.links)) << e.name;
    EXPECT_EQ(ZeroTextToString(ByteView(record).subspan(6, 12)), e.name);
    MenuNode* node = nullptr;
    tree.ForEach([&](MenuNode& n) {
      if (n.record().itemName == e.name) node = &n;
    });
    EXPECT_EQ(RecordNumberOf(tree, *node), e.record + 1) << e.name;
  }
}

TEST(MenuSaver, TitleChunkLayout) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "Games");
  AttachData(tree, *entry, Titles(TitleList::Menu, {{1, u"AB"}}));
  const Bytes file36 = Encode(tree, Mode(36));
  EXPECT_EQ(Slice(Record(file36, 36, 10), 32, 4), HexBytes("00 00 00 0E"));
  EXPECT_EQ(Slice(file36, 10 + 11 * 36, 14), HexBytes("00 00 0B 01 01 CD 00 06 00 41 00 42 00 00"));
  EXPECT_EQ(file36.size(), 10u + 11 * 36 + 14);

  const Bytes file22 = Encode(tree, Mode(22));
  EXPECT_EQ(Slice(file22, 10 + 11 * 22, 14), HexBytes("00 00 0B 01 01 00 00 06 00 41 00 42 00 00"));
}

TEST(MenuSaver, TitleEndOffsetsStartAtZeroInEveryChunk) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "Games");
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::Titles(TitleList::Softkey, {{1, u"AB"}, {3, u"CDE"}}));
  record.slots.push_back(ChunkSlot::Titles(TitleList::ShowText, {{1, u"X"}}));
  AttachData(tree, *entry, record);
  const Bytes data = Slice(Encode(tree, Mode(36)), 10 + 11 * 36, 3 + 9 + 6 + 8 + 3 + 5 + 4);
  // First chunk: strings of 2 and 3 characters end at 6 and 14.
  EXPECT_EQ(Slice(data, 0, 12), HexBytes("01 00 17 02 01 CD 00 06 03 CD 00 0E"));
  EXPECT_EQ(Slice(data, 26, 8), HexBytes("15 00 09 01 01 CD 00 04"));
}

TEST(MenuSaver, DataOffsetsRunOnOverEntriesWithoutData) {
  MenuTree tree = NewMenu();
  MenuNode* first = AddLast(tree, *tree.menuRoot(), "A");
  AddLast(tree, *tree.menuRoot(), "B");
  MenuNode* third = AddLast(tree, *tree.menuRoot(), "C");
  AttachData(tree, *first, Titles(TitleList::Menu, {{1, u"AB"}}));
  AttachData(tree, *third, Titles(TitleList::Menu, {{1, u"AB"}}));
  const Bytes file = Encode(tree, Mode(36));
  EXPECT_EQ(Slice(Record(file, 36, 10), 32, 4), HexBytes("00 00 00 0E"));
  EXPECT_EQ(Slice(Record(file, 36, 11), 32, 4), HexBytes("00 0E 00 00"));
  EXPECT_EQ(Slice(Record(file, 36, 12), 32, 4), HexBytes("00 0E 00 0E"));
  // Soft keys carry the running offset, 0 here.
  EXPECT_EQ(Slice(Record(file, 36, 2), 32, 4), HexBytes("00 00 00 00"));
}

TEST(MenuSaver, UnknownChunksOnlyWithSaveAllData) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "Games");
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::UnknownGroup({{2, HexBytes("AA BB")}, {3, {}}}));
  AttachData(tree, *entry, record);

  const Bytes without = Encode(tree, Mode(36));
  EXPECT_EQ(Slice(Record(without, 36, 10), 32, 4), HexBytes("00 00 00 00"));
  EXPECT_EQ(without.size(), 10u + 11 * 36);

  FormatOptions all = Mode(36);
  all.saveAllData = true;
  const Bytes with = Encode(tree, all);
  EXPECT_EQ(Slice(Record(with, 36, 10), 32, 4), HexBytes("00 00 00 08"));
  EXPECT_EQ(Slice(with, 10 + 11 * 36, 8), HexBytes("02 00 02 AA BB 03 00 00"));
}

TEST(MenuSaver, TypeFixUps) {
  MenuTree tree = NewMenu();
  MenuNode* folder = AddLast(tree, *tree.menuRoot(), "A");
  MenuNode* child = AddLast(tree, *folder, "A1");
  MenuNode* odd = AddLast(tree, *tree.menuRoot(), "B");
  MenuNode* high = AddLast(tree, *tree.menuRoot(), "C");
  DeleteEntry(tree, *child);
  tree.EditRecord(*folder, [&](NodeRecord& record) {
    record.itemType = kFolder;
  });  // as a loaded folder whose subitems were deleted
  tree.EditRecord(*odd, [&](NodeRecord& record) { record.itemType = 2; });
  tree.EditRecord(*high, [&](NodeRecord& record) { record.itemType = 12; });
  tree.EditRecord(*tree.NodeAt(1),
                  [&](NodeRecord& record) { record.itemType = kFolder; });  // a soft key of type 1

  const Bytes plain = Encode(tree, Mode(36));
  EXPECT_EQ(Record(plain, 36, 10)[0], 0);
  EXPECT_EQ(Record(plain, 36, 11)[0], 0);
  EXPECT_EQ(Record(plain, 36, 12)[0], 0);
  EXPECT_EQ(Record(plain, 36, 2)[0], 1);

  tree.EditRecord(*odd, [&](NodeRecord& record) { record.itemType = 2; });
  tree.EditRecord(*high, [&](NodeRecord& record) { record.itemType = 12; });
  FormatOptions all = Mode(36);
  all.saveAllData = true;
  const Bytes kept = Encode(tree, all);
  EXPECT_EQ(Record(kept, 36, 11)[0], 2);
  EXPECT_EQ(Record(kept, 36, 12)[0], 12);
}

TEST(MenuSaver, IconAttribute06WritesTag6AndKeepsTheModel) {
  MenuTree tree = NewMenu();
  MenuNode* entry = AddLast(tree, *tree.menuRoot(), "Games");
  ItemDataRecord record;
  record.slots.push_back(ChunkSlot::FileIcon(kListIcon, u"/a/i.gif"));
  AttachData(tree, *entry, record);
  FormatOptions options = Mode(22);
  options.iconAttribute = IconAttribute::Tag06;
  const Bytes file = Encode(tree, options);
  EXPECT_EQ(Slice(file, 10 + 11 * 22, 4), HexBytes("06 00 13 02"));
  EXPECT_EQ(tree.itemData().Find(entry->record().recordKey)->slots[0].tag(), kTagFileIcon);
}

TEST(MenuSaver, NamesAreCutToTheFieldAndReadBackWhole) {
  MenuTree tree = NewMenu();
  AddLast(tree, *tree.menuRoot(), "ABCDEFGHIJKLM");
  const Bytes file22 = Encode(tree, Mode(22));
  EXPECT_EQ(Slice(Record(file22, 22, 10), 6, 12),
            Bytes({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L'}));

  // A 12-character name fills the 22-byte name field without a terminator.
  const ItemTable items = TestItems();
  MenuTree other = NewMenu();
  AddLast(other, *other.menuRoot(), "ABCDEFGHIJKL");
  const Bytes bytes = Encode(other, Mode(22));
  MenuTree loaded;
  FormatOptions options;
  FormatState state;
  ASSERT_EQ(ParseMenuFile(bytes, {items, true}, loaded, options, state).status(),
            LoadStatus::Loaded);
  EXPECT_EQ(loaded.NodeAt(9)->record().itemName, "ABCDEFGHIJKL");
  EXPECT_EQ(loaded.NodeAt(9)->displayText(), "Twelve");
}

TEST(MenuSaver, RefusesItemsOutsideTheProfileWithoutTouchingTheFile) {
  TempFolder folder;
  WriteFileText(folder / "mma_ucp", "old contents");
  const ItemTable withoutGames(std::vector<ItemBaseEntry>{{"PhoneBook", "PhoneBook", true}});
  MenuTree tree = NewMenu();
  AddLast(tree, *tree.menuRoot(), "Games");
  SaveResult result = SaveMenuFile(folder / "mma_ucp", tree, Mode(36), withoutGames);
  EXPECT_TRUE(result.refused());
  EXPECT_EQ(result.error(), (Message{"mma_ucp doesn't match current profile", "Profile error",
                                     MessageIcon::Error}));
  EXPECT_EQ(ReadFileText(folder / "mma_ucp"), "old contents");

  // Custom entries pass under every profile.
  MenuTree custom = NewMenu();
  ASSERT_NE(AddEntry(custom, *custom.menuRoot(), Placement::LastChild, {}, true), nullptr);
  custom.EditRecord(*custom.NodeAt(9), [&](NodeRecord& record) { record.itemName = "~4"; });
  EXPECT_EQ(SaveMenuFile(folder / "custom", custom, Mode(36), WithDefaultSoftkeys({})).status(),
            SaveStatus::Saved);
}

TEST(MenuSaver, RefusesWhatTheFormatCannotHold) {
  TempFolder folder;
  MenuTree empty;
  SaveResult result = SaveMenuFile(folder / "x", empty, Mode(36), TestItems());
  EXPECT_EQ(result.status(), SaveStatus::Failed);
  EXPECT_EQ(result.errorText(), "There is no menu to save");
  EXPECT_FALSE(std::filesystem::exists(folder / "x"));

  MenuTree big = NewMenu();
  MenuNode* entry = AddLast(big, *big.menuRoot(), "Games");
  ItemDataRecord record;
  for (int i = 0; i < 3; ++i)
    record.slots.push_back(ChunkSlot::Titles(
        TitleList::Menu, std::vector<TitleEntry>(28, TitleEntry{1, std::u16string(399, u'x')})));
  AttachData(big, *entry, record);
  result = SaveMenuFile(folder / "x", big, Mode(36), TestItems());
  EXPECT_EQ(result.status(), SaveStatus::Failed);
  EXPECT_EQ(result.errorText(),
            "The menu's data takes 67548 bytes; an mma_ucp file can hold at most 65535");
  EXPECT_FALSE(std::filesystem::exists(folder / "x"));
}

TEST(MenuSaver, TheMainMenuStopsAt245Entries) {
  MenuTree tree = NewMenu();
  for (int i = 0; i < 245; ++i) ASSERT_NE(AddLast(tree, *tree.menuRoot(), "Games"), nullptr);
  EXPECT_EQ(AddLast(tree, *tree.menuRoot(), "Games"), nullptr);
  const Bytes file = Encode(tree, Mode(36));
  EXPECT_EQ(file[2], 255);
  EXPECT_EQ(Record(file, 36, 254)[2], 0xFF);
  EXPECT_EQ(RecordNumberOf(tree, *tree.menuRoot()->children().back()), 255);
}

// What a save meets at "menu", and the file that must take the menu or stay as it was.
struct SaveTargetCase {
  const char* what;
  std::function<void(const TempFolder&)> prepare;
  std::string target;  // empty: none to read (a FIFO, a folder)
  std::string error;   // empty when the save goes through
  std::filesystem::file_type menuType;
  std::filesystem::perms targetPerms;
};

TEST(MenuSaver, SavesThroughLinksAndRefusesWhatIsNoPlainWritableFile) {
  using std::filesystem::perms;
  using Type = std::filesystem::file_type;
  auto old = [](const TempFolder& folder, const std::string& name, perms mode) {
    std::filesystem::create_directories((folder / name).parent_path());
    WriteFileText(folder / name, "old");
    std::filesystem::permissions(folder / name, mode);
  };
  const perms kShared = perms::owner_read | perms::owner_write | perms::group_read;
  const perms kReadOnly = perms::owner_read | perms::group_read;
  const std::vector<SaveTargetCase> cases = {
      {"a plain file keeps its permissions", [&](const TempFolder& f) { old(f, "menu", kShared); },
       "menu", "", Type::regular, kShared},
      {"a link is written through to its target",
       [&](const TempFolder& f) {
         old(f, "elsewhere/target", kShared);
         std::filesystem::create_symlink("elsewhere/target", f / "menu");
       },
       "elsewhere/target", "", Type::symlink, kShared},
      {"a link to a link",
       [&](const TempFolder& f) {
         old(f, "elsewhere/target", kShared);
         std::filesystem::create_symlink("target", f / "elsewhere" / "link");
         std::filesystem::create_symlink(f / "elsewhere" / "link", f / "menu");
       },
       "elsewhere/target", "", Type::symlink, kShared},
      {"a read-only file", [&](const TempFolder& f) { old(f, "menu", kReadOnly); }, "menu",
       "The file is read-only", Type::regular, kReadOnly},
      {"a link to a read-only file",
       [&](const TempFolder& f) {
         old(f, "elsewhere/target", kReadOnly);
         std::filesystem::create_symlink("elsewhere/target", f / "menu");
       },
       "elsewhere/target", "The file is read-only", Type::symlink, kReadOnly},
      {"a FIFO", [](const TempFolder& f) { ASSERT_EQ(mkfifo((f / "menu").c_str(), 0644), 0); }, "",
       "It is not a regular file", Type::fifo, perms::none},
      {"a folder", [](const TempFolder& f) { std::filesystem::create_directory(f / "menu"); }, "",
       "It is not a regular file", Type::directory, perms::none},
  };
  for (const SaveTargetCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    c.prepare(folder);
    MenuTree tree = NewMenu();
    const SaveResult result = SaveMenuFile(folder / "menu", tree, Mode(36), TestItems());
    if (c.error.empty()) {
      EXPECT_EQ(result.status(), SaveStatus::Saved) << result.errorText();
      EXPECT_EQ(ReadFileBytes(folder / c.target).size(), 10u + 10u * 36u);
    } else {
      EXPECT_EQ(result.status(), SaveStatus::Failed);
      EXPECT_EQ(result.errorText(),
                "Cannot write file \"" + (folder / "menu").string() + "\". " + c.error);
      if (!c.target.empty()) {
        EXPECT_EQ(ReadFileText(folder / c.target), "old");
      }
    }
    EXPECT_EQ(std::filesystem::symlink_status(folder / "menu").type(), c.menuType);
    if (!c.target.empty()) {
      EXPECT_EQ(std::filesystem::status(folder / c.target).permissions(), c.targetPerms);
    }
    // Nothing is left beside either.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
      EXPECT_EQ(entry.path().filename().string().find(".menuforge-"), std::string::npos);
  }
}

TEST(MenuSaver, RefusesNamesOfControlBytes) {
  MenuTree tree = NewMenu();
  MenuNode* games = AddLast(tree, *tree.menuRoot(), "Games");
  tree.EditRecord(*games, [&](NodeRecord& record) { record.itemName = "Ga\tmes"; });
  Bytes bytes;
  const SaveResult result =
      EncodeMenuFile(tree, Mode(22), WithDefaultSoftkeys({{"Ga\tmes", "x", true}}), bytes);
  EXPECT_EQ(result.status(), SaveStatus::Failed);
  EXPECT_EQ(result.errorText(),
            "The item name \"Ga\tmes\" holds control characters, which an mma_ucp file cannot "
            "hold");
}

}  // namespace
}  // namespace menuforge::test

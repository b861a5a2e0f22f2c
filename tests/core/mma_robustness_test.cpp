// Damaged and hostile mma_ucp files: the loader reads only inside the file, never loops, and
// either refuses the file with a reason or gives a menu that saves and loads again.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "menu/mma_format.h"
#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "support/loaded_menus.h"
#include "support/random_menus.h"

namespace menuforge {
namespace {

using test::LoadedFrom;
using test::LoadedMenu;
using test::MakeRandomMenu;
using test::RandomMenu;
using test::RandomMenuItems;
using test::WithMissingItems;

constexpr std::size_t kMutatedFiles = 5000;
constexpr char kDataTooLargeText[] = "an mma_ucp file can hold at most 65535";

std::vector<std::string> Warnings(const LoadResult& result) {
  return result ? result->warnings : std::vector<std::string>{};
}

std::string Describe(const LoadResult& result) {
  std::string text = result.errorText();
  for (const auto& warning : Warnings(result)) text += "\n" + warning;
  return text;
}

// Whatever the loader made of `file`: a refusal with a reason, or a menu the saver writes and
// the loader reads back unchanged, without complaint and without leaving the profile.
void ExpectSafeOutcome(ByteView file, bool saveAllData) {
  LoadedMenu loaded = LoadedFrom(file, RandomMenuItems(), true);
  if (loaded.result.status() != LoadStatus::Loaded) {
    EXPECT_EQ(loaded.result.status(), LoadStatus::Failed);
    EXPECT_FALSE(loaded.result.errorText().empty());
    EXPECT_TRUE(loaded.tree.empty());
    return;
  }
  EXPECT_LE(loaded.tree.EntryCount(), kMaxMenuEntries);

  const ItemTable items = WithMissingItems(RandomMenuItems(), loaded.result->missingItems);
  loaded.options.saveAllData = saveAllData;
  Bytes saved;
  const SaveResult save = EncodeMenuFile(loaded.tree, loaded.options, items, saved);
  if (save.status() == SaveStatus::Failed) {
    // Records that share their data can add up to more than a file holds.
    EXPECT_NE(save.errorText().find(kDataTooLargeText), std::string::npos) << save.errorText();
    return;
  }
  ASSERT_EQ(save.status(), SaveStatus::Saved) << save.errorText();

  LoadedMenu reloaded = LoadedFrom(saved, items, false);
  ASSERT_EQ(reloaded.result.status(), LoadStatus::Loaded) << Describe(reloaded.result);
  EXPECT_TRUE(reloaded.result->warnings.empty()) << Describe(reloaded.result);
  EXPECT_EQ(reloaded.tree.NodeCount(), loaded.tree.NodeCount());
  reloaded.options.saveAllData = saveAllData;
  Bytes again;
  ASSERT_EQ(EncodeMenuFile(reloaded.tree, reloaded.options, items, again).status(),
            SaveStatus::Saved);
  EXPECT_TRUE(again == saved) << "a second save differs from the first";
}

class Mutator {
 public:
  explicit Mutator(std::uint32_t seed) : random_(seed) {}

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }

  // Damage aimed mostly at the header and the record table, where one byte changes the shape.
  void Damage(Bytes& file) {
    if (file.empty()) return;
    const std::size_t tableEnd = std::min(file.size(), kHeaderSize + file[2] * std::size_t{36});
    const std::size_t at = Below(3) ? Below(tableEnd) : Below(file.size());
    switch (Below(8)) {
      case 0: file.resize(Below(file.size())); break;
      case 1: file[at] ^= static_cast<std::uint8_t>(1u << Below(8)); break;
      case 2: file[at] = 0x00; break;
      case 3: file[at] = 0xFF; break;
      case 4: file[at] = static_cast<std::uint8_t>(Below(256)); break;
      case 5:
        file[at] = static_cast<std::uint8_t>(Below(32));  // record numbers and small lengths
        break;
      case 6: {
        Bytes inserted(1 + Below(8));
        for (auto& byte : inserted) byte = static_cast<std::uint8_t>(Below(256));
        file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), inserted.begin(),
                    inserted.end());
        break;
      }
      default:
        file.erase(
            file.begin() + static_cast<std::ptrdiff_t>(at),
            file.begin() + static_cast<std::ptrdiff_t>(std::min(file.size(), at + 1 + Below(8))));
        break;
    }
  }

 private:
  std::mt19937 random_;
};

// Small menus of both record sizes, so that damage often hits the records.
std::vector<Bytes> ValidFiles() {
  std::vector<Bytes> files;
  for (std::uint32_t seed = 0; files.size() < 40; ++seed) {
    RandomMenu menu = MakeRandomMenu(seed);
    if (menu.tree.EntryCount() > 40) continue;
    for (RecordSize size : kRecordSizes) {
      menu.options.SelectSaveMode(size);
      Bytes file;
      EXPECT_EQ(EncodeMenuFile(menu.tree, menu.options, RandomMenuItems(), file).status(),
                SaveStatus::Saved);
      if (file.size() <= 12000) files.push_back(std::move(file));
    }
  }
  return files;
}

TEST(MmaRobustnessTest, DamagedFilesLoadSafelyOrAreRefused) {
  const std::vector<Bytes> files = ValidFiles();
  Mutator mutator(20240601);
  for (std::size_t i = 0; i < kMutatedFiles && !HasFailure(); ++i) {
    Bytes file = files[mutator.Below(files.size())];
    const std::size_t damages = 1 + mutator.Below(3);
    for (std::size_t d = 0; d < damages; ++d) mutator.Damage(file);
    SCOPED_TRACE("damaged file " + std::to_string(i));
    ExpectSafeOutcome(file, mutator.Below(2) == 1);
    if (HasFailure()) ADD_FAILURE() << "the damaged file: " << BytesToHex(file);
  }
}

// --- Hand-made hostile files -------------------------------------------------------------

void SetU16(Bytes& file, std::size_t at, std::size_t value) {
  file[at] = static_cast<std::uint8_t>(value >> 8 & 0xFF);
  file[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::size_t RecordAt(RecordSize size, std::size_t number) {
  return kHeaderSize + number * RecordLayout::For(size).size;
}

std::size_t DataFieldsAt(RecordSize size, std::size_t number) {
  return RecordAt(size, number) + RecordLayout::For(size).offsetField;
}

const ItemBaseEntry& Item(const std::string& identifier) {
  return RandomMenuItems().at(RandomMenuItems().Find(identifier));
}

Bytes Save(MenuTree& tree, RecordSize size) {
  FormatOptions options;
  options.SelectSaveMode(size);
  Bytes file;
  EXPECT_EQ(EncodeMenuFile(tree, options, RandomMenuItems(), file).status(), SaveStatus::Saved);
  return file;
}

// Main menu entries "Calculator", "WebAccess", ... in one group, without data.
Bytes FlatMenu(RecordSize size, std::size_t entries) {
  static const char* const kNames[] = {"Calculator", "WebAccess", "Games", "Settings"};
  MenuTree tree;
  BuildSkeleton(tree);
  for (std::size_t i = 0; i < entries; ++i)
    EXPECT_NE(AddEntry(tree, *tree.menuRoot(), Placement::LastChild, Item(kNames[i % 4]), false),
              nullptr);
  return Save(tree, size);
}

// The same with one byte changed.
Bytes FlatMenuWith(RecordSize size, std::size_t entries, std::size_t at, std::uint8_t value) {
  Bytes file = FlatMenu(size, entries);
  file[at] = value;
  return file;
}

void NothingLoaded(const MenuTree& tree) { EXPECT_TRUE(tree.empty()); }

// One entry, "Calculator", whose data block is exactly `data`.
Bytes EntryWithData(RecordSize size, const Bytes& data) {
  Bytes file = FlatMenu(size, 1);
  SetU16(file, DataFieldsAt(size, 10) + 2, data.size());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// A menu title "AB" in English: 14 bytes.
const Bytes kTitleAB = {0x00, 0x00, 0x0B, 0x01, 0x01, 0x00, 0x00,
                        0x06, 0x00, 0x41, 0x00, 0x42, 0x00, 0x00};
const Bytes kUrlChunk = {0x05, 0x00, 0x04, 'h', 't', 'p', 0x00};

Bytes Repeat(const Bytes& chunk, std::size_t times) {
  Bytes all;
  for (std::size_t i = 0; i < times; ++i) all.insert(all.end(), chunk.begin(), chunk.end());
  return all;
}

std::vector<std::uint8_t> SlotTags(const MenuTree& tree, std::uint8_t key) {
  std::vector<std::uint8_t> tags;
  if (const ItemDataRecord* data = tree.itemData().Find(key))
    for (const ChunkSlot& slot : data->slots) tags.push_back(slot.tag());
  return tags;
}

ChunkSlot Slot(const MenuTree& tree, std::uint8_t key, std::size_t index) {
  const ItemDataRecord* data = tree.itemData().Find(key);
  if (!data || index >= data->slots.size()) {
    ADD_FAILURE() << "no slot " << index << " at key " << int{key};
    return {};
  }
  return data->slots[index];
}

std::vector<std::string> EntryNames(const MenuNode& parent) {
  std::vector<std::string> names;
  for (const auto& child : parent.children()) names.push_back(child->record().itemName);
  return names;
}

using Tags = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

struct HostileCase {
  const char* what;
  std::function<Bytes(RecordSize size)> file;
  LoadStatus status;
  std::string message;  // part of the error, or of a warning; empty when none is expected
  std::function<void(const MenuTree&)> remains;
};

const std::vector<HostileCase>& HostileCases() {
  static const std::vector<HostileCase> cases = {
      {"fewer than the ten fixed records",
       [](RecordSize size) {
         Bytes file = FlatMenu(size, 1);
         file.resize(RecordAt(size, 9));
         return file;
       },
       LoadStatus::Failed, "too short to be an mma_ucp file", NothingLoaded},
      {"a header that counts fewer than ten records",
       [](RecordSize size) {
         Bytes file = FlatMenu(size, 1);
         file[2] = 9;
         return file;
       },
       LoadStatus::Failed, "counts fewer than ten records", NothingLoaded},
      {"a chunk longer than the entry's data",
       [](RecordSize size) {
         return EntryWithData(size, Concat({kTitleAB, {0x05, 0x00, 0x40, 'h', 't', 0x00}}));
       },
       LoadStatus::Loaded, "runs past the end of the data",
       [](const MenuTree& tree) {
         EXPECT_EQ(SlotTags(tree, 11), (Tags{kTagMenuTitle}));
         EXPECT_EQ(Slot(tree, 11, 0), ChunkSlot::Titles(TitleList::Menu, {{1, u"AB"}}));
       }},
      {"a chunk header cut off at the end of the data",
       [](RecordSize size) {
         return EntryWithData(size, Concat({kUrlChunk, {0x05, 0x00}}));
       },
       LoadStatus::Loaded, "chunk header is cut off",
       [](const MenuTree& tree) {
         EXPECT_EQ(Slot(tree, 11, 0), ChunkSlot::Text(TextField::Url, "htp"));
       }},
      {"title end offsets that do not grow",
       [](RecordSize size) {
         // Two titles, the second ending where the first does.
         return EntryWithData(size, {0x00, 0x00, 0x0F, 0x02, 0x01, 0x00, 0x00, 0x06, 0x06, 0x00,
                                     0x00, 0x06, 0x00, 0x41, 0x00, 0x42, 0x00, 0x00});
       },
       LoadStatus::Loaded, "does not lie behind the one before",
       [](const MenuTree& tree) {
         EXPECT_EQ(Slot(tree, 11, 0), ChunkSlot::Titles(TitleList::Menu, {{1, u"AB"}}));
       }},
      {"more than eleven chunks",
       [](RecordSize size) {
         return EntryWithData(size, Repeat({kTagCode12, 0x00, 0x01, 0x07}, 12));
       },
       LoadStatus::Loaded, "more than 11 chunks",
       [](const MenuTree& tree) { EXPECT_EQ(SlotTags(tree, 11), Tags(kMaxSlots, kTagCode12)); }},
      {"more than eleven unknown chunks",
       [](RecordSize size) {
         return EntryWithData(size, Concat({Repeat({0x30, 0x00, 0x01, 0x55}, 12), kUrlChunk}));
       },
       LoadStatus::Loaded, "more than 11 unknown chunks",
       [](const MenuTree& tree) {
         EXPECT_EQ(SlotTags(tree, 11), (Tags{kTagUnknownGroup, kTagUrl}));
         EXPECT_EQ(Slot(tree, 11, 0).As<UnknownGroupChunk>()->chunks.size(), kMaxUnknownChunks);
       }},
      {"an unknown chunk of more than 2048 bytes",
       [](RecordSize size) {
         Bytes big = {0x30, 0x08, 0x01};
         big.resize(3 + 2049, 0xAA);
         return EntryWithData(size, Concat({big, kUrlChunk}));
       },
       LoadStatus::Loaded, "larger than 2048 bytes",
       [](const MenuTree& tree) { EXPECT_EQ(SlotTags(tree, 11), (Tags{kTagUrl})); }},
      // No menu links back: in group order a child group always lies behind its parent.
      {"a first child index that points at its own record",
       [](RecordSize size) { return FlatMenuWith(size, 2, RecordAt(size, 10) + 3, 10); },
       LoadStatus::Failed, "record 10 links back to record 10, so its links run in a loop",
       NothingLoaded},
      {"a first child index that points back at an earlier entry",
       [](RecordSize size) { return FlatMenuWith(size, 2, RecordAt(size, 11) + 3, 10); },
       LoadStatus::Failed, "record 11 links back to record 10", NothingLoaded},
      {"a first child index that points at a soft key record",
       [](RecordSize size) { return FlatMenuWith(size, 1, RecordAt(size, 10) + 3, 3); },
       LoadStatus::Failed, "record 10 links back to record 3", NothingLoaded},
      {"a full menu whose last entry points at the fixed records",
       [](RecordSize size) {
         MenuTree tree;
         BuildSkeleton(tree);
         for (std::size_t i = 0; i < kMaxMenuEntries; ++i)
           EXPECT_NE(AddEntry(tree, *tree.menuRoot(), Placement::LastChild, Item("Games"), false),
                     nullptr);
         Bytes file = Save(tree, size);
         file[RecordAt(size, 254) + 3] = 2;
         return file;
       },
       LoadStatus::Failed, "record 254 links back to record 2", NothingLoaded},
      {"a link outside the record table",
       [](RecordSize size) { return FlatMenuWith(size, 2, RecordAt(size, 11) + 2, 12); },
       LoadStatus::Failed, "record 11 links to record 12, outside its table of 12 records",
       NothingLoaded},
      {"a first child beyond a table that is only cut short",
       [](RecordSize size) {
         Bytes file = FlatMenu(size, 2);
         file[2] = 20;
         file[RecordAt(size, 11) + 3] = 15;
         return file;
       },
       LoadStatus::Loaded, "header counts 20 records",
       [](const MenuTree& tree) {
         EXPECT_EQ(EntryNames(*tree.menuRoot()), (Names{"Calculator", "WebAccess"}));
       }},
      {"a soft key named with control bytes",
       [](RecordSize size) {
         return FlatMenuWith(size, 1, RecordAt(size, 4) + kNameField + 1, 0x07);
       },
       LoadStatus::Failed, "the item name of record 4 holds control bytes", NothingLoaded},
      {"an entry named with control bytes behind one the profile lacks",
       [](RecordSize size) {
         Bytes file = FlatMenu(size, 2);
         file[RecordAt(size, 10) + kNameField] = 'X';
         file[RecordAt(size, 11) + kNameField + 2] = 0x1F;
         return file;
       },
       LoadStatus::Failed, "the item name of record 11 holds control bytes", NothingLoaded},
      {"a record count of 255 with a short table",
       [](RecordSize size) {
         Bytes file = EntryWithData(size, kTitleAB);
         file[2] = 255;
         return file;
       },
       LoadStatus::Loaded, "header counts 255 records",
       [](const MenuTree& tree) {
         EXPECT_EQ(EntryNames(*tree.menuRoot()), (Names{"Calculator"}));
         EXPECT_EQ(tree.itemData().size(), 0u);
       }},
      {"a group that would run on into the data section",
       [](RecordSize size) {
         // Read as a record, the data is a member of the main menu's group: byte 1 is 9.
         Bytes url = {0x05, 0x00, 0x20};
         for (char c : std::string("http://example.com/lookalike/ab")) url.push_back(c);
         url.push_back(0);
         return EntryWithData(size, Concat({{kTagCode12, 0x09, 0xFF, 0x41}, url}));
       },
       LoadStatus::Loaded, "",
       [](const MenuTree& tree) {
         EXPECT_EQ(EntryNames(*tree.menuRoot()), (Names{"Calculator"}));
         EXPECT_EQ(SlotTags(tree, 11), (Tags{kTagCode12, kTagUrl}));
         EXPECT_EQ(Slot(tree, 11, 1),
                   ChunkSlot::Text(TextField::Url, "http://example.com/lookalike/ab"));
       }},
      {"a data offset beyond the end of the file",
       [](RecordSize size) {
         Bytes file = EntryWithData(size, kTitleAB);
         SetU16(file, DataFieldsAt(size, 10), 0x7FFF);
         return file;
       },
       LoadStatus::Loaded, "its data lies beyond the end of the file",
       [](const MenuTree& tree) {
         EXPECT_TRUE(tree.NodeAt(kFirstEntryPosition)->record().modified);
         EXPECT_EQ(tree.itemData().size(), 0u);
       }},
      {"a data length beyond the end of the file",
       [](RecordSize size) {
         Bytes file = EntryWithData(size, kTitleAB);
         SetU16(file, DataFieldsAt(size, 10) + 2, kTitleAB.size() + 1);
         return file;
       },
       LoadStatus::Loaded, "its data lies beyond the end of the file",
       [](const MenuTree& tree) { EXPECT_EQ(tree.itemData().size(), 0u); }},
  };
  return cases;
}

bool Mentions(const LoadResult& result, const std::string& text) {
  if (result.errorText().find(text) != std::string::npos) return true;
  for (const auto& warning : Warnings(result))
    if (warning.find(text) != std::string::npos) return true;
  return false;
}

TEST(MmaRobustnessTest, HostileFiles) {
  for (const HostileCase& hostile : HostileCases()) {
    for (RecordSize size : kRecordSizes) {
      SCOPED_TRACE(std::string(hostile.what) + ", " + std::to_string(RecordBytes(size)) +
                   "-byte records");
      const Bytes file = hostile.file(size);
      LoadedMenu loaded = LoadedFrom(file, RandomMenuItems(), true);
      EXPECT_EQ(loaded.result.status(), hostile.status) << Describe(loaded.result);
      if (hostile.message.empty())
        EXPECT_TRUE(Warnings(loaded.result).empty()) << Describe(loaded.result);
      else
        EXPECT_TRUE(Mentions(loaded.result, hostile.message)) << Describe(loaded.result);
      hostile.remains(loaded.tree);
      // A file that is no menu is refused as such, not as one outside the profile.
      if (hostile.status == LoadStatus::Failed) {
        EXPECT_EQ(LoadedFrom(file, RandomMenuItems(), false).result.status(), LoadStatus::Failed);
      }
      ExpectSafeOutcome(file, true);
    }
  }
}

TEST(MmaRobustnessTest, RandomBytesAreNoMenu) {
  std::mt19937 random(7);
  for (const std::size_t size : {100u, 700u, 5000u, 20000u}) {
    for (int i = 0; i < 50; ++i) {
      Bytes file(size);
      for (auto& byte : file) byte = static_cast<std::uint8_t>(random());
      for (const bool profileIsDefault : {true, false}) {
        const LoadedMenu loaded = LoadedFrom(file, RandomMenuItems(), profileIsDefault);
        ASSERT_EQ(loaded.result.status(), LoadStatus::Failed) << BytesToHex(file);
        EXPECT_TRUE(loaded.result.errorText().starts_with("The file is not an mma_ucp file: ") ||
                    loaded.result.errorText().starts_with("The file is too short"))
            << loaded.result.errorText();
      }
    }
  }
}

}  // namespace
}  // namespace menuforge

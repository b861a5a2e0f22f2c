// Round trips of random menus through the saver and the loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
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

constexpr std::uint32_t kSeeds = 300;

Bytes Save(MenuTree& tree, const FormatOptions& options) {
  Bytes bytes;
  const SaveResult result = EncodeMenuFile(tree, options, RandomMenuItems(), bytes);
  EXPECT_EQ(result.status(), SaveStatus::Saved) << result.errorText();
  return bytes;
}

std::string FirstDifference(const Bytes& a, const Bytes& b) {
  const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
         ", first difference at offset " + std::to_string(ia - a.begin());
}

// The record as the loader rebuilds it from what the saver wrote: a custom title mode on a
// non-custom entry reads back as 8, soft keys never take subitems, and an entry whose data were
// all left out is unmodified. The data offset is the saver's business and is not compared.
std::string Describe(NodeRecord record, bool asReloaded, bool softkey) {
  if (asReloaded) {
    if (!record.IsCustom() && record.titleMode == kTitleModeCustom)
      record.titleMode = kTitleModeOwnTitle;
    if (softkey) record.mayHaveSubitems = false;
    record.modified = record.dataLength != 0;
  }
  std::ostringstream text;
  text << "name \"" << record.itemName << "\" type " << int{record.itemType} << " parent "
       << int{record.parentIndex} << " next " << int{record.nextIndex} << " first child "
       << int{record.firstChildIndex} << " key " << int{record.recordKey} << " title mode "
       << int{record.titleMode} << " attribute " << int{record.attributeByte} << " marker "
       << int{record.marker} << " length " << record.dataLength << " modified " << record.modified
       << " subitems " << record.mayHaveSubitems;
  return text.str();
}

// Unknown chunks are written only with "Save all data"; without it the group is gone.
std::optional<ItemDataRecord> ReloadedData(const ItemDataRecord* data, bool saveAllData) {
  if (!data) return std::nullopt;
  ItemDataRecord reloaded = *data;
  if (!saveAllData)
    std::erase_if(reloaded.slots,
                  [](const ChunkSlot& slot) { return slot.As<UnknownGroupChunk>() != nullptr; });
  if (reloaded.slots.empty()) return std::nullopt;
  return reloaded;
}

std::optional<ItemDataRecord> Data(const MenuTree& tree, const MenuNode& node) {
  const ItemDataRecord* data = tree.itemData().Find(node.record().recordKey);
  return data ? std::optional<ItemDataRecord>(*data) : std::nullopt;
}

void ExpectSameNodes(const MenuTree& expectedTree, const MenuNode& expected,
                     const MenuTree& actualTree, const MenuNode& actual, bool saveAllData,
                     const std::string& where) {
  const bool softkey = expected.parent() && expected.parent() == expectedTree.softkeys();
  NodeRecord expectedRecord = expected.record();
  // An empty main menu is written without a first child, whatever a new menu's root holds.
  if (&expected == expectedTree.menuRoot() && expected.children().empty())
    expectedRecord.firstChildIndex = kNoIndex;
  EXPECT_EQ(Describe(expectedRecord, true, softkey), Describe(actual.record(), false, softkey))
      << where;
  EXPECT_EQ(expected.displayText(), actual.displayText()) << where;
  const auto expectedData =
      ReloadedData(expectedTree.itemData().Find(expected.record().recordKey), saveAllData);
  EXPECT_TRUE(expectedData == Data(actualTree, actual)) << where << ": item data differ";
  ASSERT_EQ(expected.children().size(), actual.children().size()) << where;
  for (std::size_t i = 0; i < expected.children().size(); ++i)
    ExpectSameNodes(expectedTree, *expected.children()[i], actualTree, *actual.children()[i],
                    saveAllData, where + "/" + std::to_string(i));
}

void ExpectSameMenu(const MenuTree& expected, const MenuTree& actual, bool saveAllData) {
  ASSERT_EQ(expected.topLevel().size(), actual.topLevel().size());
  for (std::size_t i = 0; i < expected.topLevel().size(); ++i)
    ExpectSameNodes(expected, *expected.topLevel()[i], actual, *actual.topLevel()[i], saveAllData,
                    std::to_string(i));
  std::size_t withData = 0;
  actual.ForEach([&](MenuNode& node) { withData += Data(actual, node).has_value(); });
  EXPECT_EQ(actual.itemData().size(), withData) << "item data records that no node owns";
}

bool HasFileIcon(const MenuTree& tree) {
  bool found = false;
  tree.ForEach([&](MenuNode& node) {
    if (const ItemDataRecord* data = tree.itemData().Find(node.record().recordKey))
      for (const ChunkSlot& slot : data->slots) found = found || slot.As<FileIconChunk>();
  });
  return found;
}

// What the loader does to a non-custom entry with the custom title mode: it gets 8. Returns
// whether any entry changed.
bool TakeOwnTitleModes(MenuTree& tree) {
  bool changed = false;
  tree.ForEach([&](MenuNode& node) {
    if (!node.record().IsCustom() && node.record().titleMode == kTitleModeCustom) {
      tree.EditRecord(node, [&](NodeRecord& record) { record.titleMode = kTitleModeOwnTitle; });
      changed = true;
    }
  });
  return changed;
}

// Main menu nodes in the order the file lays them out: each group, then its members' groups.
void CollectGroups(const MenuNode& parent, std::vector<const MenuNode*>& order) {
  for (const auto& member : parent.children()) order.push_back(member.get());
  for (const auto& member : parent.children()) CollectGroups(*member, order);
}

// Save, load, save: the same menu and, but for the loader's title mode fix-up, the same bytes.
void CheckRoundTrip(RandomMenu& menu, const Bytes& first) {
  LoadedMenu loaded = LoadedFrom(first, RandomMenuItems());
  ASSERT_EQ(loaded.result.status(), LoadStatus::Loaded) << loaded.result.errorText();
  EXPECT_TRUE(loaded.result->warnings.empty()) << loaded.result->warnings.front();
  EXPECT_TRUE(loaded.result->missingItems.empty());
  ExpectSameMenu(menu.tree, loaded.tree, menu.options.saveAllData);

  EXPECT_EQ(loaded.state.recordSize, RecordBytes(menu.options.saveMode));
  EXPECT_EQ(loaded.state.dataSectionOffset,
            kHeaderSize + (menu.tree.NodeCount() + 1) * RecordBytes(menu.options.saveMode));
  EXPECT_EQ(loaded.options.saveMode, menu.options.saveMode);
  EXPECT_EQ(loaded.options.c698pFix, menu.options.c698pFix);
  EXPECT_EQ(loaded.options.iconAttribute,
            HasFileIcon(menu.tree) ? menu.options.iconAttribute : IconAttribute::Tag0C);

  loaded.options.saveAllData = menu.options.saveAllData;
  const Bytes second = Save(loaded.tree, loaded.options);
  const Bytes expected = TakeOwnTitleModes(menu.tree) ? Save(menu.tree, menu.options) : first;
  EXPECT_TRUE(second == expected) << FirstDifference(second, expected);
}

// 22 to 36 and back. 36-byte files know neither the c698p fix nor the icon tag 06, so the
// 22-byte file starts with the fix off and the icon tag at 0C. The menu must already carry the
// loader's title mode fix-up.
void CheckConversion(RandomMenu& menu) {
  FormatOptions options22 = menu.options;
  options22.SelectSaveMode(RecordSize::k22);
  options22.c698pFix = false;
  options22.iconAttribute = IconAttribute::Tag0C;
  FormatOptions options36 = menu.options;
  options36.SelectSaveMode(RecordSize::k36);
  const Bytes file22 = Save(menu.tree, options22);
  const Bytes direct36 = Save(menu.tree, options36);

  LoadedMenu from22 = LoadedFrom(file22, RandomMenuItems());
  ASSERT_EQ(from22.result.status(), LoadStatus::Loaded) << from22.result.errorText();
  from22.options.SelectSaveMode(RecordSize::k36);
  from22.options.saveAllData = menu.options.saveAllData;
  const Bytes file36 = Save(from22.tree, from22.options);
  EXPECT_TRUE(file36 == direct36) << FirstDifference(file36, direct36);

  LoadedMenu from36 = LoadedFrom(file36, RandomMenuItems());
  ASSERT_EQ(from36.result.status(), LoadStatus::Loaded) << from36.result.errorText();
  ExpectSameMenu(from22.tree, from36.tree, menu.options.saveAllData);
  from36.options.SelectSaveMode(RecordSize::k22);
  from36.options.saveAllData = menu.options.saveAllData;
  const Bytes back22 = Save(from36.tree, from36.options);
  EXPECT_TRUE(back22 == file22) << FirstDifference(back22, file22);
}

// The formula and the keys renumbering gave agree with where the saver put each record.
void CheckRecordNumbers(const RandomMenu& menu, const Bytes& file) {
  const RecordLayout layout = RecordLayout::For(menu.options.saveMode);
  std::vector<const MenuNode*> order;
  CollectGroups(*menu.tree.menuRoot(), order);
  std::map<const MenuNode*, std::size_t> numbers{{menu.tree.menuRoot(), 9}};
  for (std::size_t i = 0; i < order.size(); ++i) numbers[order[i]] = kFixedRecordCount + i;

  for (const MenuNode* node : order) {
    const std::size_t number = numbers.at(node);
    SCOPED_TRACE("record " + std::to_string(number));
    EXPECT_EQ(RecordNumberOf(menu.tree, *node), number + 1);
    EXPECT_EQ(node->record().recordKey, number + 1);

    const std::size_t at = kHeaderSize + number * layout.size;
    ASSERT_LE(at + layout.size, file.size());
    const auto name = file.begin() + static_cast<std::ptrdiff_t>(at + kNameField);
    const std::string field(name, name + static_cast<std::ptrdiff_t>(layout.nameWidth));
    EXPECT_EQ(field.substr(0, field.find('\0')), node->record().itemName);
    const bool last = node->parent()->children().back().get() == node;
    EXPECT_EQ(file[at + 1], numbers.at(node->parent()));
    EXPECT_EQ(file[at + 2], last ? kNoIndex : number + 1);
    EXPECT_EQ(file[at + 3],
              node->children().empty() ? kNoIndex : numbers.at(node->children().front().get()));
  }

  // Data blocks lie back to back in record order and fill the file to its end.
  std::size_t running = 0;
  const std::size_t recordCount = file[2];
  for (std::size_t number = 2; number < recordCount; ++number) {
    if (number == 9) continue;
    const std::size_t at = kHeaderSize + number * layout.size + layout.offsetField;
    EXPECT_EQ(static_cast<std::size_t>(file[at] << 8 | file[at + 1]), running)
        << "record " << number;
    running += static_cast<std::size_t>(file[at + 2] << 8 | file[at + 3]);
  }
  EXPECT_EQ(kHeaderSize + recordCount * layout.size + running, file.size());
}

std::map<const MenuNode*, std::uint8_t> TypesOf(const MenuTree& tree) {
  std::map<const MenuNode*, std::uint8_t> types;
  tree.ForEach([&](MenuNode& node) { types[&node] = node.record().itemType; });
  return types;
}

// The saver writes a childless folder below "Menu Root" as a plain item, and types it does not
// know as plain items unless it saves all data; the soft keys keep a folder type.
void CheckTypeFixUps(const RandomMenu& menu,
                     const std::map<const MenuNode*, std::uint8_t>& before) {
  const bool saveAllData = menu.options.saveAllData;
  menu.tree.ForEach([&](MenuNode& node) {
    if (&node == menu.tree.softkeys() || &node == menu.tree.menuRoot()) return;
    std::uint8_t expected = before.at(&node);
    if (expected == kFolder && node.children().empty() && node.parent() != menu.tree.softkeys())
      expected = kPlainItem;
    if ((expected == 2 || expected > kShortcut) && !saveAllData) expected = kPlainItem;
    EXPECT_EQ(node.record().itemType, expected) << node.record().itemName;
  });
}

TEST(MmaPropertyTest, RandomMenusSurviveSavingLoadingAndConversion) {
  for (std::uint32_t seed = 0; seed < kSeeds && !HasFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomMenu menu = MakeRandomMenu(seed);
    const auto types = TypesOf(menu.tree);
    const Bytes file = Save(menu.tree, menu.options);
    {
      SCOPED_TRACE("type fix-ups");
      CheckTypeFixUps(menu, types);
    }
    {
      SCOPED_TRACE("record numbers");
      CheckRecordNumbers(menu, file);
    }
    {
      SCOPED_TRACE("round trip");
      CheckRoundTrip(menu, file);
    }
    {
      SCOPED_TRACE("conversion");
      CheckConversion(menu);
    }
  }
}

}  // namespace
}  // namespace menuforge

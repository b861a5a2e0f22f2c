// Generated entries through the editor untouched, through "OK", and through a saved file.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "editor/core/modify_item.h"
#include "menu/languages.h"
#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu_test_items.h"
#include "support/test_support.h"

namespace menuforge {
namespace {

constexpr std::uint32_t kSeeds = 400;

// An entry of any chunk kinds the editor can show, at most one of each kind, in any order, and
// the chunks "OK" must store for it in StoreItem's order.
struct GeneratedEntry {
  ItemDataRecord data;
  std::vector<ChunkSlot> expected;
  std::uint8_t itemType = 0;
  std::uint8_t attributeByte = 0;
  std::uint8_t expectedType = 0;
  bool softkey = false;
  bool custom = false;
  bool functionChunk = false;
  bool titles = false;
};

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}

  GeneratedEntry Build() {
    GeneratedEntry entry;
    entry.softkey = Chance(15);
    entry.custom = !entry.softkey && Chance(30);
    entry.itemType = static_cast<std::uint8_t>(Below(10));
    entry.attributeByte = static_cast<std::uint8_t>(Below(256));

    std::array<std::optional<ChunkSlot>, 20> plan;  // by StoreItem position
    std::array<std::optional<ChunkSlot>, 20> given;
    auto place = [&](std::size_t position, ChunkSlot stored,
                     std::optional<ChunkSlot> loaded = std::nullopt) {
      given[position] = loaded ? *loaded : stored;
      plan[position] = std::move(stored);
    };
    if (Chance(50)) place(0, Titles(TitleList::Menu));
    if (Chance(40)) place(1, Titles(TitleList::Softkey));
    entry.titles = plan[0] || plan[1];
    // Each icon row holds one icon, from a file or a DRM number.
    for (std::size_t row = 0; row < kIconRowCount; ++row) {
      if (!Chance(40)) continue;
      static constexpr std::uint8_t kKinds[] = {kAnimatedIcon, kStaticIcon, kListIcon};
      static constexpr DrmIconKind kDrmKinds[] = {DrmIconKind::Animated, DrmIconKind::Static,
                                                  DrmIconKind::List};
      if (Chance(50)) {
        // Any kind other than 3 and 4 is a list icon, and is stored as kind 2.
        const std::uint8_t loadedKind = row == 2 && Chance(30) ? 9 : kKinds[row];
        const std::u16string path = Path();
        place(3 + row, ChunkSlot::FileIcon(kKinds[row], path),
              ChunkSlot::FileIcon(loadedKind, path));
      } else {
        const auto number = static_cast<std::uint16_t>(Between(1, 4000));
        // The editor writes its own DRM byte.
        place(10 + row, ChunkSlot::DrmIcon(kDrmKinds[row], kDrmByteFromEditor, number),
              ChunkSlot::DrmIcon(kDrmKinds[row], static_cast<std::uint8_t>(Below(256)), number));
      }
    }
    if (Chance(25)) place(2, Titles(TitleList::ShowText));
    for (std::size_t i = 0; i < 4; ++i)
      if (Chance(25))
        place(6 + i, ChunkSlot::Text(static_cast<TextField>(i), ByteText(Below(2) ? 40 : 300)));
    if (Chance(25)) place(13, ChunkSlot::Action(static_cast<std::uint16_t>(Below(0x10000))));
    if (Chance(25)) place(14, ChunkSlot::Shortcut(ByteText(kShortcutDataBytes - 1)));
    for (std::size_t i = 0; i < 3; ++i)
      if (Chance(25))
        place(15 + i,
              ChunkSlot::Code(static_cast<CallCode>(i), static_cast<std::uint8_t>(Below(256))));
    if (Chance(30)) place(18, UnknownGroup());

    // The type of the function chunk latest in StoreItem's type order.
    std::array<std::uint8_t, 20> typeByPosition{};
    typeByPosition[6] = kUrlLink;
    typeByPosition[7] = typeByPosition[8] = typeByPosition[9] = kApplicationStart;
    typeByPosition[2] = kShowText;
    typeByPosition[13] = kEmulatedAction;
    typeByPosition[14] = kShortcut;
    typeByPosition[15] = typeByPosition[16] = typeByPosition[17] =
        entry.itemType == kSendMessage ? kSendMessage : kCallNumber;
    constexpr std::size_t kTypeOrder[] = {6, 7, 8, 9, 2, 13, 14, 15, 16, 17};

    std::array<bool, 20> kept{};
    for (std::size_t position = 0; position < plan.size(); ++position) {
      if (!plan[position] || entry.data.slots.size() == kMaxSlots) continue;
      const bool icon = (position >= 3 && position <= 5) || (position >= 10 && position <= 12);
      entry.data.slots.push_back(*given[position]);
      if (!(icon && entry.softkey)) entry.expected.push_back(*plan[position]);
      kept[position] = true;
    }
    entry.expectedType = entry.itemType == kFolder ? kFolder : kPlainItem;
    for (std::size_t position : kTypeOrder) {
      if (!kept[position]) continue;
      entry.expectedType = typeByPosition[position];
      entry.functionChunk = true;
    }
    std::shuffle(entry.data.slots.begin(), entry.data.slots.end(), random_);
    return entry;
  }

 private:
  std::size_t Between(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(random_);
  }
  std::size_t Below(std::size_t n) { return Between(0, n - 1); }
  bool Chance(std::size_t percent) { return Below(100) < percent; }

  ChunkSlot Titles(TitleList list) {
    std::vector<TitleEntry> titles(Between(1, 12));
    for (TitleEntry& title : titles) {
      title.languageId = static_cast<std::uint8_t>(Between(1, kLanguageCount));
      // Now and then a long one: titles are copied whole, whatever their length.
      title.text.resize(Chance(10) ? Between(127, kMaxTitleCharacters) : Between(1, 20));
      for (char16_t& c : title.text) c = static_cast<char16_t>(Between(1, 0xFFFF));
    }
    return ChunkSlot::Titles(list, std::move(titles));
  }

  std::u16string Path() {
    static constexpr char16_t kVolumes[] = u"abce";
    static constexpr char16_t kNameCharacters[] = u"az09_-.()[]/\u00E9\u0416\u4E2D";
    std::u16string path = u"/";
    path += kVolumes[Below(4)];
    path += u'/';
    for (std::size_t i = Between(1, 30); i > 0; --i)
      path += kNameCharacters[Below(std::size(kNameCharacters) - 1)];
    return path;
  }

  std::string ByteText(std::size_t maxLength) {
    std::string text(Between(0, maxLength), ' ');
    for (char& c : text) c = static_cast<char>(Between(1, 255));
    return text;
  }

  ChunkSlot UnknownGroup() {
    std::vector<UnknownChunk> chunks;
    for (std::size_t i = Between(1, kMaxUnknownChunks); i > 0; --i) {
      UnknownChunk chunk{static_cast<std::uint8_t>(Between(100, 200)), Bytes(Between(0, 40))};
      for (auto& byte : chunk.data) byte = static_cast<std::uint8_t>(Below(256));
      chunks.push_back(std::move(chunk));
    }
    return ChunkSlot::UnknownGroup(std::move(chunks));
  }

  std::mt19937 random_;
};

TEST(ItemEditorRoundTrip, UntouchedEntriesStoreTheirChunksInStoreItemOrder) {
  for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const GeneratedEntry entry = Generator(seed).Build();
    MenuTree tree = test::NewMenu();
    MenuNode* node = entry.softkey ? tree.NodeAt(kFirstSoftkeyPosition + seed % kSoftkeyCount)
                                   : AddEntry(tree, *tree.menuRoot(), Placement::LastChild,
                                              test::Entry("Games"), entry.custom);
    tree.EditRecord(*node, [&](NodeRecord& record) { record.itemType = entry.itemType; });
    tree.EditRecord(*node, [&](NodeRecord& record) { record.attributeByte = entry.attributeByte; });
    test::AttachData(tree, *node, entry.data);
    const std::uint8_t titleMode = node->record().titleMode;

    test::RecordingDialogs dialogs;
    EntryLanguageMemory languages;
    ItemEditorModel editor({}, languages, dialogs);
    editor.LoadItem(EditedNodeOf(tree, *node));
    editor.Shown();
    ASSERT_TRUE(editor.Accept());
    EXPECT_TRUE(dialogs.shown.empty());
    ApplyEditorResult(tree, *node, editor, true);

    const ItemDataRecord* stored = tree.itemData().Find(node->record().recordKey);
    ASSERT_EQ(stored != nullptr, !entry.expected.empty());
    if (stored) {
      EXPECT_EQ(stored->slots, entry.expected);
      EXPECT_EQ(stored->ownerKey, node->record().recordKey);
      EXPECT_EQ(node->record().dataLength, DataLength(stored, true));
    }
    EXPECT_EQ(node->record().modified, stored != nullptr);
    EXPECT_EQ(node->record().itemType, entry.expectedType);
    EXPECT_EQ(node->record().attributeByte,
              entry.functionChunk ? kAttributeWithFunction : entry.attributeByte);
    EXPECT_EQ(node->record().titleMode,
              entry.titles && titleMode != kTitleModeCustom ? kTitleModeOwnTitle : titleMode);

    // What was stored reloads from a saved file as it was stored.
    FormatOptions options;
    options.SelectSaveMode(seed % 2 ? RecordSize::k22 : RecordSize::k36);
    options.saveAllData = true;
    Bytes file;
    ASSERT_EQ(EncodeMenuFile(tree, options, test::TestItems(), file).status(), SaveStatus::Saved);
    MenuTree reloaded;
    FormatState state;
    ASSERT_EQ(ParseMenuFile(file, {test::TestItems(), true}, reloaded, options, state).status(),
              LoadStatus::Loaded);
    const std::size_t position = tree.PositionOf(node);
    const MenuNode* again = reloaded.NodeAt(position);
    const ItemDataRecord* reread = reloaded.itemData().Find(again->record().recordKey);
    ASSERT_EQ(reread != nullptr, stored != nullptr);
    if (stored) {
      EXPECT_EQ(reread->slots, stored->slots);
    }
    EXPECT_EQ(again->record().itemType, node->record().itemType);
    EXPECT_EQ(again->record().attributeByte, node->record().attributeByte);
  }
}

}  // namespace
}  // namespace menuforge

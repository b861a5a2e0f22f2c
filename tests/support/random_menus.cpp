#include "support/random_menus.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "menu/item_data.h"
#include "menu/languages.h"
#include "menu/mma_format.h"
#include "menu/tree_operations.h"

namespace menuforge::test {

const ItemTable& RandomMenuItems() {
  static const ItemTable items = WithDefaultSoftkeys({
      {"Calculator", "Calculator", true},
      {"WebAccess", "Web Access", true},
      {"Games", "Games & Apps", true},
      {"Settings", "Settings", true},
      {"MyMediaFiles", "My \xE9l\xE8ves", true},  // fills the 22-byte name field exactly
      {"QuickNote", "Quick note [SC]", true},
      {"FlipClock", "Clock [SC]", true},
  });
  return items;
}

namespace {

constexpr std::size_t kShortcutBytes = 3 + kShortcutDataBytes;
constexpr std::size_t kChunkHeader = 3;

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}
  RandomMenu Build();

 private:
  std::size_t Between(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(random_);
  }
  std::size_t Below(std::size_t n) { return Between(0, n - 1); }
  bool Chance(std::size_t percent) { return Below(100) < percent; }
  // Mostly short, now and then anywhere up to the limit.
  std::size_t Length(std::size_t max) {
    return Chance(75) ? Between(0, std::min<std::size_t>(max, 16)) : Between(0, max);
  }

  MenuNode* AnyEntry();
  MenuNode* AnyKeyOrEntry();
  const ItemBaseEntry& AnyItem();
  std::size_t DataBytes() const;
  std::size_t Room() const;

  void Add();
  void Move();
  void Delete();
  void Replace();
  void AttachData();
  void Tweak();

  char16_t AnyCharacter();
  std::u16string AnyWideText(std::size_t maxLength);
  std::string AnyByteText(std::size_t maxLength);
  std::uint8_t AnyUnknownTag();
  // `room` counts the chunk headers too; nothing when not even the smallest chunk fits.
  std::optional<ChunkSlot> AnySlot(std::size_t room);
  std::optional<ChunkSlot> AnyTitles(std::size_t room);
  std::optional<ChunkSlot> AnyUnknownGroup(std::size_t room);

  std::mt19937 random_;
  RandomMenu menu_;
  std::size_t budget_ = 0;
};

MenuNode* Generator::AnyEntry() {
  const std::size_t entries = menu_.tree.EntryCount();
  return entries ? menu_.tree.NodeAt(kFirstEntryPosition + Below(entries)) : nullptr;
}

MenuNode* Generator::AnyKeyOrEntry() {
  const std::size_t i = Below(kSoftkeyCount + menu_.tree.EntryCount());
  return menu_.tree.NodeAt(i < kSoftkeyCount ? kFirstSoftkeyPosition + i
                                             : kFirstEntryPosition + i - kSoftkeyCount);
}

// Shortcut items bring their own 28 data bytes, so they are only picked while those fit.
const ItemBaseEntry& Generator::AnyItem() {
  const ItemTable& items = RandomMenuItems();
  for (;;) {
    const ItemBaseEntry& entry = items.at(Below(items.count() - 1));
    if (!entry.IsShortcut() || Room() >= kShortcutBytes) return entry;
  }
}

// Unknown chunks counted as "Save all data" counts them, so the menu fits either way.
std::size_t Generator::DataBytes() const {
  std::size_t total = 0;
  for (std::size_t key = 0; key < 256; ++key)
    total += DataLength(menu_.tree.itemData().Find(static_cast<std::uint8_t>(key)), true);
  return total;
}

std::size_t Generator::Room() const {
  const std::size_t used = DataBytes();
  return used < budget_ ? budget_ - used : 0;
}

void Generator::Add() {
  MenuTree& tree = menu_.tree;
  MenuNode* selected = AnyEntry();
  Placement placement = static_cast<Placement>(Below(4));
  if (!selected || Chance(15)) {
    selected = tree.menuRoot();
    placement = Chance(50) ? Placement::FirstChild : Placement::LastChild;
  }
  const bool custom = Chance(15);
  const ItemTable& items = RandomMenuItems();
  // Callers stop short of the most entries a file holds, so every add finds room.
  static_cast<void>(AddEntry(tree, *selected, placement,
                             custom ? items.at(items.count() - 1) : AnyItem(), custom));
}

void Generator::Move() {
  MenuNode* node = AnyEntry();
  if (!node) return;
  switch (Below(3)) {
    case 0: MoveUp(menu_.tree, *node); break;
    case 1: MoveDown(menu_.tree, *node); break;
    default: MoveBefore(menu_.tree, *node, *AnyEntry()); break;
  }
}

void Generator::Delete() {
  if (MenuNode* node = AnyEntry()) DeleteEntry(menu_.tree, *node);
}

void Generator::Replace() {
  MenuNode* node = AnyKeyOrEntry();
  const bool custom = Chance(15);
  const ItemTable& items = RandomMenuItems();
  ReplaceEntry(menu_.tree, *node, custom ? items.at(items.count() - 1) : AnyItem(), custom);
}

void Generator::AttachData() {
  MenuTree& tree = menu_.tree;
  MenuNode& node = *AnyKeyOrEntry();
  const std::uint8_t key = node.record().recordKey;
  std::size_t room = Room() + DataLength(tree.itemData().Find(key), true);

  const std::size_t slotCount = Between(1, kMaxSlots);
  const std::size_t unknownAt = Chance(35) ? Below(slotCount) : slotCount;
  ItemDataRecord record;
  for (std::size_t i = 0; i < slotCount; ++i) {
    std::optional<ChunkSlot> slot = i == unknownAt ? AnyUnknownGroup(room) : AnySlot(room);
    if (!slot) break;
    room -= slot->As<UnknownGroupChunk>() ? slot->length() : slot->length() + kChunkHeader;
    record.slots.push_back(std::move(*slot));
  }
  if (record.slots.empty()) return;
  tree.SetEntryData(node, std::move(record), menu_.options.saveAllData);
}

void Generator::Tweak() {
  static constexpr std::uint8_t kTypes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0x7F, 0xFF};
  static constexpr std::uint8_t kTitleModes[] = {kTitleModePlaced, kTitleModeOwnTitle,
                                                 kTitleModeCustom};
  menu_.tree.EditRecord(*AnyKeyOrEntry(), [&](NodeRecord& record) {
    if (Chance(50)) record.itemType = kTypes[Below(std::size(kTypes))];
    if (Chance(50)) record.titleMode = kTitleModes[Below(std::size(kTitleModes))];
    if (Chance(50)) record.attributeByte = static_cast<std::uint8_t>(Below(256));
  });
}

char16_t Generator::AnyCharacter() {
  switch (Below(5)) {
    case 0: return static_cast<char16_t>(0x20 + Below(0x5F));
    case 1: return static_cast<char16_t>(0xA0 + Below(0x60));
    case 2: return static_cast<char16_t>(0x400 + Below(0x100));
    case 3: return static_cast<char16_t>(0x4E00 + Below(0x5200));
    default: return static_cast<char16_t>(Between(1, 0xFFFF));  // anything but the terminator
  }
}

std::u16string Generator::AnyWideText(std::size_t maxLength) {
  std::u16string text(Length(maxLength), u' ');
  for (char16_t& c : text) c = AnyCharacter();
  return text;
}

std::string Generator::AnyByteText(std::size_t maxLength) {
  std::string text(Length(maxLength), ' ');
  for (char& c : text) c = static_cast<char>(Between(1, 255));
  return text;
}

std::uint8_t Generator::AnyUnknownTag() {
  for (;;) {
    const auto tag = static_cast<std::uint8_t>(Below(256));
    if (!IsKnownFileTag(tag)) return tag;
  }
}

std::optional<ChunkSlot> Generator::AnyTitles(std::size_t room) {
  // Each title takes at least its 4-byte table entry and a 2-byte terminator.
  std::size_t n = Between(1, 12);
  while (n > 0 && kChunkHeader + 1 + 6 * n > room) --n;
  if (n == 0) return std::nullopt;
  const std::size_t perTitle =
      std::min(kMaxTitleCharacters, (room - kChunkHeader - 1 - 6 * n) / (2 * n));
  std::vector<TitleEntry> titles;
  for (std::size_t j = 0; j < n; ++j)
    titles.push_back(
        {static_cast<std::uint8_t>(Between(1, kLanguageCount)), AnyWideText(perTitle)});
  return ChunkSlot::Titles(static_cast<TitleList>(Below(3)), std::move(titles));
}

std::optional<ChunkSlot> Generator::AnySlot(std::size_t room) {
  if (room < kChunkHeader + 1) return std::nullopt;
  for (;;) {
    switch (Below(7)) {
      case 0: return AnyTitles(room);
      case 1: {
        if (room < kChunkHeader + 3) break;
        const auto kind = static_cast<std::uint8_t>(Between(kListIcon, kAnimatedIcon));
        return ChunkSlot::FileIcon(kind, AnyWideText(std::min<std::size_t>(200, (room - 6) / 2)));
      }
      case 2: {
        const auto field = static_cast<TextField>(Below(4));
        return ChunkSlot::Text(field, AnyByteText(std::min<std::size_t>(255, room - 4)));
      }
      case 3: {
        if (room < kChunkHeader + 4) break;
        const auto kind = static_cast<DrmIconKind>(Below(3));
        const auto drmByte =
            Chance(50) ? kDrmByteFromEditor : static_cast<std::uint8_t>(Below(256));
        return ChunkSlot::DrmIcon(kind, drmByte, static_cast<std::uint16_t>(Below(0x10000)));
      }
      case 4: {
        const auto code = static_cast<CallCode>(Below(3));
        return ChunkSlot::Code(code, static_cast<std::uint8_t>(Below(256)));
      }
      case 5:
        if (room < kChunkHeader + 2) break;
        return ChunkSlot::Action(static_cast<std::uint16_t>(Below(0x10000)));
      default: {
        if (room < kShortcutBytes) break;
        if (Chance(50)) return ChunkSlot::Shortcut(AnyItem().identifier);
        ShortcutChunk shortcut;
        for (auto& byte : shortcut.data) byte = static_cast<std::uint8_t>(Below(256));
        return ChunkSlot{shortcut};
      }
    }
  }
}

std::optional<ChunkSlot> Generator::AnyUnknownGroup(std::size_t room) {
  std::vector<UnknownChunk> chunks;
  const std::size_t count = Between(1, kMaxUnknownChunks);
  for (std::size_t i = 0; i < count && room >= kChunkHeader; ++i) {
    const std::size_t cap = std::min(kMaxUnknownChunkBytes, room - kChunkHeader);
    const std::size_t length =
        Chance(70) ? Between(0, std::min<std::size_t>(cap, 16)) : Between(0, cap);
    UnknownChunk chunk{AnyUnknownTag(), Bytes(length)};
    for (auto& byte : chunk.data) byte = static_cast<std::uint8_t>(Below(256));
    chunks.push_back(std::move(chunk));
    room -= kChunkHeader + length;
  }
  if (chunks.empty()) return std::nullopt;
  return ChunkSlot::UnknownGroup(std::move(chunks));
}

RandomMenu Generator::Build() {
  BuildSkeleton(menu_.tree);
  FormatOptions& options = menu_.options;
  options.SelectSaveMode(Chance(50) ? RecordSize::k22 : RecordSize::k36);
  if (options.saveMode == RecordSize::k22) {
    options.c698pFix = Chance(50);
    options.iconAttribute = Chance(50) ? IconAttribute::Tag06 : IconAttribute::Tag0C;
  }
  options.saveAllData = Chance(50);

  const std::size_t size = Below(100);
  budget_ = size < 50   ? Between(0, 4000)
            : size < 85 ? Between(0, 20000)
                        : Between(55000, kMaxDataSectionBytes);
  const std::size_t shape = Below(100);
  const std::size_t target = shape < 10   ? Between(0, 2)
                             : shape < 90 ? Between(1, 40)
                             : shape < 95 ? Between(100, kMaxMenuEntries)
                                          : kMaxMenuEntries;

  const std::size_t steps = target + 20;
  for (std::size_t step = 0; step < steps; ++step) {
    const std::size_t pick = Below(100);
    if (pick < 55) {
      if (menu_.tree.EntryCount() < target) Add();
    } else if (pick < 65) {
      Move();
    } else if (pick < 69) {
      Delete();
    } else if (pick < 75) {
      Replace();
    } else if (pick < 92) {
      AttachData();
    } else {
      Tweak();
    }
  }
  // Large menus are filled up, so that some reach the most entries a file can hold.
  while (target >= 100 && menu_.tree.EntryCount() < target) Add();
  // Large budgets are filled up too, towards the most data a file can hold.
  for (std::size_t tries = 0; budget_ >= 55000 && tries < 60 && Room() > 1000; ++tries)
    AttachData();
  return std::move(menu_);
}

}  // namespace

RandomMenu MakeRandomMenu(std::uint32_t seed) { return Generator(seed).Build(); }

}  // namespace menuforge::test

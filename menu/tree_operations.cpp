#include "menu/tree_operations.h"

#include <algorithm>

namespace menuforge {
namespace {

struct SoftkeyDefault {
  std::string_view itemName;
  std::string_view displayName;
};

// Soft key 3's phones spell the item "Mutilmedia"; only its display text reads "Multimedia".
constexpr std::array<SoftkeyDefault, kSoftkeyCount> kSoftkeyDefaults = {{
    {"PhoneBook", "PhoneBook"},
    {"Message", "Message"},
    {"RecentCall", "RecentCall"},
    {"Mutilmedia", "Multimedia"},
    {"Datebook", "Datebook"},
    {"MMRingStyle", "MMRingStyle"},
    {"VoiceRecord", "VoiceRecord"},
}};

std::unique_ptr<MenuNode> MakeNode(NodeRecord record, std::string displayText) {
  return std::make_unique<MenuNode>(std::move(record), std::move(displayText));
}

// Titles and icons; a show-text screen is a function.
bool IsFolderSafe(const ChunkSlot& slot) {
  if (const auto* titles = slot.As<TitlesChunk>()) return titles->list != TitleList::ShowText;
  return slot.As<FileIconChunk>() || slot.As<DrmIconChunk>();
}

enum class InsertMode { AsChild, AsSibling };

// Completes the record of a node just added by AddEntry, and renumbers.
void InsertEntry(MenuTree& tree, MenuNode& node, InsertMode mode, bool custom) {
  tree.EditTogether([&] {
    tree.EditRecord(node, [&](NodeRecord& record) {
      record.nextIndex = kNoIndex;
      record.parentIndex = node.parent() ? RecordNumberOf(tree, *node.parent()) - 1 : kNoIndex;
      record.firstChildIndex = kNoIndex;
      record.itemType = kPlainItem;
      record.titleMode = custom ? kTitleModeCustom : kTitleModePlaced;
      record.dataOffset = 0;
      record.marker = kMenuMarker;
      record.attributeByte = kAttributeNewEntry;
    });
    if (mode == InsertMode::AsChild && node.parent()) {
      MenuNode& parent = *node.parent();
      tree.EditRecord(parent, [](NodeRecord& record) {
        if (record.itemType == kFolder) return;
        record.itemType = kFolder;
        record.firstChildIndex = kNoIndex;
      });
      // A folder opens its subitems; it keeps its titles and icons but no function of its own.
      if (const ItemDataRecord* data = tree.itemData().Find(parent.record().recordKey)) {
        ItemDataRecord kept = *data;
        std::erase_if(kept.slots, [](const ChunkSlot& slot) { return !IsFolderSafe(slot); });
        tree.SetEntryData(parent,
                          kept.slots.empty() ? std::nullopt : std::optional(std::move(kept)));
      }
    }
    tree.Renumber();
  });
}

}  // namespace

std::string CustomName(std::uint8_t counter) { return "~" + std::to_string(counter); }

std::uint8_t CustomNumber(const std::string& name) {
  const std::string digits = name.substr(1);
  if (digits.empty() || digits.size() > 9 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return static_cast<std::uint8_t>(std::stoul(digits) & 0xFF);
}

std::unique_ptr<MenuNode> SoftkeysNode() {
  NodeRecord container;
  container.itemType = kFolder;
  container.parentIndex = 1;
  container.nextIndex = 2;
  container.firstChildIndex = kNoIndex;
  container.recordKey = 2;
  container.itemName = kContainerName;
  container.marker = kSoftkeyMarker;
  container.mayHaveSubitems = true;
  return MakeNode(container, "Softkeys");
}

std::unique_ptr<MenuNode> MenuRootNode(std::uint8_t firstChildIndex) {
  NodeRecord root;
  root.itemType = kFolder;
  root.firstChildIndex = firstChildIndex;
  root.recordKey = 10;
  root.itemName = kMenuRootName;
  root.marker = kMenuMarker;
  root.mayHaveSubitems = true;
  return MakeNode(root, "Menu Root");
}

std::vector<ItemBaseEntry> DefaultSoftkeyItems() {
  std::vector<ItemBaseEntry> items;
  for (const SoftkeyDefault& key : kSoftkeyDefaults)
    items.push_back({std::string(key.itemName), std::string(key.displayName), true});
  return items;
}

ItemTable WithDefaultSoftkeys(std::vector<ItemBaseEntry> more) {
  std::vector<ItemBaseEntry> items = DefaultSoftkeyItems();
  items.insert(items.end(), std::make_move_iterator(more.begin()),
               std::make_move_iterator(more.end()));
  return ItemTable(std::move(items));
}

void BuildSkeleton(MenuTree& tree) {
  MenuNode* softkeys = tree.Insert(nullptr, 0, SoftkeysNode());
  for (std::size_t i = 0; i < kSoftkeyCount; ++i) {
    NodeRecord key;
    key.itemType = kPlainItem;
    key.recordKey = static_cast<std::uint8_t>(i + 3);
    key.attributeByte = kAttributeNewEntry;
    key.itemName = kSoftkeyDefaults[i].itemName;
    key.marker = kSoftkeyMarker;
    tree.Insert(softkeys, i,
                MakeNode(key, std::string(kSoftkeyPrefixes[i]) +
                                  std::string(kSoftkeyDefaults[i].displayName)));
  }
  tree.Insert(nullptr, 1, MenuRootNode(kFirstEntryRecord));
}

void EmptyTree(MenuTree& tree) { tree.Clear(); }

std::string DisplayTextFor(std::size_t position, const std::string& itemName,
                           const ItemTable& availableItems) {
  std::string text;
  if (!itemName.empty() && itemName.front() == '~') {
    text = itemName;
  } else {
    const std::size_t found = availableItems.Find(itemName);
    if (found < availableItems.count()) text = availableItems.at(found).displayName;
  }
  if (position >= kFirstSoftkeyPosition && position < kFirstSoftkeyPosition + kSoftkeyCount)
    return std::string(kSoftkeyPrefixes[position - kFirstSoftkeyPosition]) + text;
  return text;
}

MenuNode* AddEntry(MenuTree& tree, MenuNode& selected, Placement placement,
                   const ItemBaseEntry& entry, bool custom) {
  if (tree.EntryCount() >= kMaxMenuEntries) return nullptr;

  NodeRecord record;
  std::string displayText;
  if (custom) {
    ++tree.customItemCounter;
    record.itemName = CustomName(tree.customItemCounter);
    displayText = record.itemName;
  } else {
    record.itemName = entry.identifier;
    displayText = entry.displayName;
  }
  record.mayHaveSubitems = custom || entry.mayHaveSubitems;
  auto node = MakeNode(std::move(record), std::move(displayText));

  MenuNode* added = nullptr;
  InsertMode mode = InsertMode::AsSibling;
  switch (placement) {
    case Placement::FirstChild:
      added = tree.Insert(&selected, 0, std::move(node));
      mode = InsertMode::AsChild;
      break;
    case Placement::LastChild:
      added = tree.Insert(&selected, selected.children().size(), std::move(node));
      mode = InsertMode::AsChild;
      break;
    case Placement::FirstSibling: added = tree.Insert(selected.parent(), 0, std::move(node)); break;
    case Placement::Before:
      added = tree.Insert(selected.parent(), tree.IndexOf(&selected), std::move(node));
      break;
  }
  InsertEntry(tree, *added, mode, custom);
  if (!custom && entry.IsShortcut()) AttachShortcut(tree, *added, entry.identifier);
  return added;
}

void ReplaceEntry(MenuTree& tree, MenuNode& node, const ItemBaseEntry& entry, bool custom) {
  const std::size_t position = tree.PositionOf(&node);
  std::string itemName = entry.identifier;
  if (custom) {
    ++tree.customItemCounter;
    itemName = CustomName(tree.customItemCounter);
  }
  const bool softkey =
      position >= kFirstSoftkeyPosition && position < kFirstSoftkeyPosition + kSoftkeyCount;
  // One entry replaced: the views hear of it once.
  tree.EditTogether([&] {
    tree.SetDisplayText(node,
                        (softkey ? std::string(kSoftkeyPrefixes[position - kFirstSoftkeyPosition])
                                 : std::string()) +
                            (custom ? itemName : entry.displayName));
    tree.EditRecord(node, [&](NodeRecord& record) {
      record.itemName = itemName;
      record.mayHaveSubitems = custom || entry.mayHaveSubitems;
      record.itemType = node.children().empty() ? kPlainItem : kFolder;
      record.titleMode = custom ? kTitleModeCustom : kTitleModePlaced;
      record.attributeByte = kAttributeReplacedEntry;
    });
    tree.Renumber();
    // Renumbering took the old data along to the node's new key; the new item starts without it.
    tree.SetEntryData(node, std::nullopt);
    if (!custom && entry.IsShortcut()) AttachShortcut(tree, node, entry.identifier);
  });
}

void CountCustomName(MenuTree& tree, const std::string& name, bool softkey) {
  if (softkey)
    ++tree.customItemCounter;
  else
    tree.customItemCounter = std::max(tree.customItemCounter, CustomNumber(name));
}

void AttachShortcut(MenuTree& tree, MenuNode& node, std::string_view identifier) {
  tree.EditRecord(node, [](NodeRecord& record) { record.itemType = kShortcut; });
  ItemDataRecord data;
  data.slots.push_back(ChunkSlot::Shortcut(identifier));
  tree.SetEntryData(node, std::move(data));
}

void DeleteEntry(MenuTree& tree, MenuNode& node) {
  tree.FreeSubtreeData(node);
  tree.Remove(&node);
  tree.Renumber();
}

void MoveUp(MenuTree& tree, MenuNode& node) {
  const std::size_t index = tree.IndexOf(&node);
  if (index > 0) tree.Move(&node, node.parent(), index - 1);
  tree.Renumber();
}

void MoveDown(MenuTree& tree, MenuNode& node) {
  const std::size_t index = tree.IndexOf(&node);
  const std::size_t count = tree.SiblingsOf(&node).size();
  // Before the sibling after the next one, or to the end of the level when there is none.
  if (index + 1 < count) tree.Move(&node, node.parent(), std::min(index + 2, count));
  tree.Renumber();
}

void MoveBefore(MenuTree& tree, MenuNode& dragged, MenuNode& target) {
  if (&dragged == &target || dragged.IsAncestorOf(&target)) return;
  tree.Move(&dragged, target.parent(), tree.IndexOf(&target));
  tree.Renumber();
}

std::uint8_t RecordNumberOf(const MenuTree& tree, const MenuNode& node) {
  if (&node == tree.menuRoot()) return kMenuRootRecord + 1;
  unsigned sum = static_cast<unsigned>(tree.IndexOf(&node));
  for (const MenuNode* y = node.parent(); y; y = y->parent()) {
    const auto& siblings = tree.SiblingsOf(y);
    const std::size_t index = tree.IndexOf(y);
    for (std::size_t i = 0; i < index; ++i)
      sum += 1 + static_cast<unsigned>(siblings[i]->DescendantCount());
    sum += static_cast<unsigned>(siblings.size() - index - 1) + 1;
  }
  return static_cast<std::uint8_t>(sum + 2);
}

}  // namespace menuforge

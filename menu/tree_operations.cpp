#include "menu/tree_operations.h"

#include <algorithm>
#include <unordered_map>

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

constexpr std::uint8_t kMenuRootRecord = 9;
constexpr std::uint8_t kFirstEntryRecord = 10;

std::unique_ptr<MenuNode> MakeNode(NodeRecord record, std::string displayText) {
  auto node = std::make_unique<MenuNode>();
  node->record = std::move(record);
  node->displayText = std::move(displayText);
  return node;
}

// Titles and icons; a show-text screen is a function.
bool IsFolderSafe(const ChunkSlot& slot) {
  if (const auto* titles = slot.As<TitlesChunk>()) return titles->list != TitleList::ShowText;
  return slot.As<FileIconChunk>() || slot.As<DrmIconChunk>();
}

// Record numbers of the main menu in group order: each group's members back to back, then the
// groups of its members' children, member by member.
void LayOutGroup(const MenuNode& parent, std::uint8_t& next,
                 std::unordered_map<const MenuNode*, std::uint8_t>& numbers) {
  for (const auto& member : parent.children) numbers[member.get()] = next++;
  for (const auto& member : parent.children)
    if (!member->children.empty()) LayOutGroup(*member, next, numbers);
}

std::string CustomName(std::uint8_t counter) { return "~" + std::to_string(counter); }

std::uint8_t CustomNumber(const std::string& name) {
  const std::string digits = name.substr(1);
  if (digits.empty() || digits.size() > 9 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return static_cast<std::uint8_t>(std::stoul(digits) & 0xFF);
}

void FreeSubtreeData(MenuTree& tree, const MenuNode& node) {
  tree.WholeItemData().Free(node.record.recordKey);
  for (const auto& child : node.children) FreeSubtreeData(tree, *child);
}

}  // namespace

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

void EmptyTree(MenuTree& tree) {
  tree.Clear();
  tree.WholeItemData().Clear();
}

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

void InsertEntry(MenuTree& tree, MenuNode& node, InsertMode mode, bool custom) {
  NodeRecord& record = node.record;
  record.nextIndex = kNoIndex;
  record.parentIndex = node.parent ? RecordNumberOf(tree, *node.parent) - 1 : kNoIndex;
  record.firstChildIndex = kNoIndex;
  record.itemType = kPlainItem;
  record.titleMode = custom ? kTitleModeCustom : kTitleModePlaced;
  record.modified = false;
  record.dataOffset = 0;
  record.dataLength = 0;
  record.marker = kMenuMarker;
  record.attributeByte = kAttributeNewEntry;

  if (mode == InsertMode::AsChild && node.parent) {
    MenuNode& parent = *node.parent;
    if (parent.record.itemType != kFolder) {
      parent.record.itemType = kFolder;
      parent.record.firstChildIndex = kNoIndex;
    }
    // A folder opens its subitems; it keeps its titles and icons but no function of its own.
    if (const ItemDataRecord* data = tree.itemData().Find(parent.record.recordKey)) {
      ItemDataRecord kept = *data;
      std::erase_if(kept.slots, [](const ChunkSlot& slot) { return !IsFolderSafe(slot); });
      tree.SetEntryData(parent, kept.slots.empty() ? std::nullopt : std::optional(std::move(kept)));
    } else {
      tree.NotifyRecordChanged(&parent);
    }
  }
  Renumber(tree);
}

MenuNode* AddEntry(MenuTree& tree, MenuNode& selected, Placement placement,
                   const ItemBaseEntry& entry, bool custom) {
  if (tree.EntryCount() >= kMaxMenuEntries) return nullptr;

  auto node = std::make_unique<MenuNode>();
  if (custom) {
    ++tree.customItemCounter;
    node->record.itemName = CustomName(tree.customItemCounter);
    node->displayText = node->record.itemName;
  } else {
    node->record.itemName = entry.identifier;
    node->displayText = entry.displayName;
  }
  node->record.mayHaveSubitems = custom || entry.mayHaveSubitems;

  MenuNode* added = nullptr;
  InsertMode mode = InsertMode::AsSibling;
  switch (placement) {
    case Placement::FirstChild:
      added = tree.Insert(&selected, 0, std::move(node));
      mode = InsertMode::AsChild;
      break;
    case Placement::LastChild:
      added = tree.Insert(&selected, selected.children.size(), std::move(node));
      mode = InsertMode::AsChild;
      break;
    case Placement::FirstSibling: added = tree.Insert(selected.parent, 0, std::move(node)); break;
    case Placement::Before:
      added = tree.Insert(selected.parent, tree.IndexOf(&selected), std::move(node));
      break;
  }
  InsertEntry(tree, *added, mode, custom);
  if (!custom && entry.IsShortcut()) AttachShortcut(tree, *added, entry.identifier);
  return added;
}

void ReplaceEntry(MenuTree& tree, MenuNode& node, const ItemBaseEntry& entry, bool custom) {
  NodeRecord& record = node.record;
  const std::size_t position = tree.PositionOf(&node);
  if (custom) {
    ++tree.customItemCounter;
    record.itemName = CustomName(tree.customItemCounter);
  } else {
    record.itemName = entry.identifier;
  }
  const bool softkey =
      position >= kFirstSoftkeyPosition && position < kFirstSoftkeyPosition + kSoftkeyCount;
  node.displayText =
      (softkey ? std::string(kSoftkeyPrefixes[position - kFirstSoftkeyPosition]) : std::string()) +
      (custom ? record.itemName : entry.displayName);
  record.mayHaveSubitems = custom || entry.mayHaveSubitems;
  record.itemType = node.children.empty() ? kPlainItem : kFolder;
  record.titleMode = kTitleModePlaced;
  record.attributeByte = kAttributeReplacedEntry;
  Renumber(tree);
  if (custom) record.titleMode = kTitleModeCustom;
  // Renumbering took the old data along to the node's new key; the new item starts without it.
  tree.SetEntryData(node, std::nullopt);
  if (!custom && entry.IsShortcut()) AttachShortcut(tree, node, entry.identifier);
}

void CountCustomName(MenuTree& tree, const std::string& name, bool softkey) {
  if (softkey)
    ++tree.customItemCounter;
  else
    tree.customItemCounter = std::max(tree.customItemCounter, CustomNumber(name));
}

void AttachShortcut(MenuTree& tree, MenuNode& node, std::string_view identifier) {
  node.record.itemType = kShortcut;
  ItemDataRecord data;
  data.slots.push_back(ChunkSlot::Shortcut(identifier));
  tree.SetEntryData(node, std::move(data));
}

void DeleteEntry(MenuTree& tree, MenuNode& node) {
  FreeSubtreeData(tree, node);
  tree.Remove(&node);
  Renumber(tree);
}

void MoveUp(MenuTree& tree, MenuNode& node) {
  const std::size_t index = tree.IndexOf(&node);
  if (index > 0) tree.Move(&node, node.parent, index - 1);
  Renumber(tree);
}

void MoveDown(MenuTree& tree, MenuNode& node) {
  const std::size_t index = tree.IndexOf(&node);
  const std::size_t count = tree.SiblingsOf(&node).size();
  // Before the sibling after the next one, or to the end of the level when there is none.
  if (index + 1 < count) tree.Move(&node, node.parent, std::min(index + 2, count));
  Renumber(tree);
}

void MoveBefore(MenuTree& tree, MenuNode& dragged, MenuNode& target) {
  if (&dragged == &target || dragged.IsAncestorOf(&target)) return;
  tree.Move(&dragged, target.parent, tree.IndexOf(&target));
  Renumber(tree);
}

std::uint8_t RecordNumberOf(const MenuTree& tree, const MenuNode& node) {
  if (&node == tree.menuRoot()) return kMenuRootRecord + 1;
  unsigned sum = static_cast<unsigned>(tree.IndexOf(&node));
  for (const MenuNode* y = node.parent; y; y = y->parent) {
    const auto& siblings = tree.SiblingsOf(y);
    const std::size_t index = tree.IndexOf(y);
    for (std::size_t i = 0; i < index; ++i)
      sum += 1 + static_cast<unsigned>(siblings[i]->DescendantCount());
    sum += static_cast<unsigned>(siblings.size() - index - 1) + 1;
  }
  return static_cast<std::uint8_t>(sum + 2);
}

void Renumber(MenuTree& tree) {
  MenuNode* root = tree.menuRoot();
  if (!root) return;

  std::unordered_map<const MenuNode*, std::uint8_t> numbers;
  std::uint8_t next = kFirstEntryRecord;
  LayOutGroup(*root, next, numbers);
  numbers[root] = kMenuRootRecord;

  ItemDataTable scratch;
  // Soft key keys never change, so their data stays where it is.
  for (std::uint8_t key = 3; key <= 9; ++key)
    if (const ItemDataRecord* data = tree.itemData().Find(key)) scratch.Store(key, *data);

  // An empty main menu has no first entry to point to.
  if (root->children.empty()) root->record.firstChildIndex = kNoIndex;

  std::size_t position = 0;
  tree.ForEach([&](MenuNode& node) {
    if (position++ < kFirstEntryPosition) return;
    NodeRecord& record = node.record;
    const std::uint8_t oldKey = record.recordKey;
    const std::uint8_t key = static_cast<std::uint8_t>(numbers.at(&node) + 1);
    record.recordKey = key;
    record.nextIndex = key;
    record.parentIndex = numbers.at(node.parent);
    if (node.children.empty()) {
      record.firstChildIndex = kNoIndex;
      if (record.itemType == kFolder) record.itemType = kPlainItem;
    }
    if (record.modified) {
      if (const ItemDataRecord* data = tree.itemData().Find(oldKey)) scratch.Store(key, *data);
    }
    if (node.parent->children.front().get() == &node)
      node.parent->record.firstChildIndex = static_cast<std::uint8_t>(key - 1);
    if (node.parent->children.back().get() == &node) record.nextIndex = kNoIndex;
  });

  tree.WholeItemData() = std::move(scratch);
}

}  // namespace menuforge

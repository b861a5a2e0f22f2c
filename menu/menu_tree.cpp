#include "menu/menu_tree.h"

#include <algorithm>
#include <unordered_map>

namespace menuforge {

std::string TooManyEntriesText() {
  return "The main menu already holds " + std::to_string(kMaxMenuEntries) +
         " entries, the most an mma_ucp file can hold";
}

const std::array<std::string_view, kSoftkeyCount> kSoftkeyPrefixes = {
    "LSK: ", "RSK: ", "Up: ", "Down: ", "Left: ", "Right: ", "Smart: "};

namespace {

// Record numbers of the main menu in group order: each group's members back to back, then the
// groups of its members' children, member by member.
void LayOutGroup(const MenuNode& parent, std::uint8_t& next,
                 std::unordered_map<const MenuNode*, std::uint8_t>& numbers) {
  for (const auto& member : parent.children()) numbers[member.get()] = next++;
  for (const auto& member : parent.children())
    if (!member->children().empty()) LayOutGroup(*member, next, numbers);
}

}  // namespace

std::size_t MenuNode::IndexInParent(const Children& siblings) const {
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return i;
  return siblings.size();
}

std::size_t MenuNode::DescendantCount() const {
  std::size_t n = children_.size();
  for (const auto& child : children_) n += child->DescendantCount();
  return n;
}

bool MenuNode::IsAncestorOf(const MenuNode* other) const {
  for (const MenuNode* p = other ? other->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

std::unique_ptr<MenuNode> MenuNode::CopySubtree() const {
  auto copy = std::make_unique<MenuNode>(record_, displayText_);
  for (const auto& child : children_) {
    copy->children_.push_back(child->CopySubtree());
    copy->children_.back()->parent_ = copy.get();
  }
  return copy;
}

std::size_t MenuTree::NodeCount() const {
  std::size_t n = topLevel_.size();
  for (const auto& node : topLevel_) n += node->DescendantCount();
  return n;
}

std::size_t MenuTree::EntryCount() const {
  const std::size_t n = NodeCount();
  return n > kFixedNodeCount ? n - kFixedNodeCount : 0;
}

void MenuTree::ForEach(const std::function<void(MenuNode&)>& visit) const {
  std::function<void(MenuNode&)> walk = [&](MenuNode& node) {
    visit(node);
    for (const auto& child : node.children_) walk(*child);
  };
  for (const auto& node : topLevel_) walk(*node);
}

MenuNode* MenuTree::NodeAt(std::size_t position) const {
  std::size_t i = 0;
  MenuNode* found = nullptr;
  ForEach([&](MenuNode& node) {
    if (i++ == position) found = &node;
  });
  return found;
}

std::size_t MenuTree::PositionOf(const MenuNode* node) const {
  std::size_t i = 0, found = NodeCount();
  ForEach([&](MenuNode& n) {
    if (&n == node) found = i;
    ++i;
  });
  return found;
}

MenuNode* MenuTree::softkeys() const { return topLevel_.empty() ? nullptr : topLevel_[0].get(); }

MenuNode* MenuTree::menuRoot() const { return topLevel_.size() < 2 ? nullptr : topLevel_[1].get(); }

const MenuTree::Siblings& MenuTree::SiblingsOf(const MenuNode* node) const {
  return node->parent_ ? node->parent_->children_ : topLevel_;
}

MenuTree::Siblings& MenuTree::MutableSiblingsOf(const MenuNode* node) {
  return node->parent_ ? node->parent_->children_ : topLevel_;
}

std::size_t MenuTree::IndexOf(const MenuNode* node) const {
  return node->IndexInParent(SiblingsOf(node));
}

MenuNode* MenuTree::PreviousSibling(const MenuNode* node) const {
  const std::size_t i = IndexOf(node);
  return i > 0 ? SiblingsOf(node)[i - 1].get() : nullptr;
}

MenuNode* MenuTree::NextSibling(const MenuNode* node) const {
  const auto& siblings = SiblingsOf(node);
  const std::size_t i = IndexOf(node);
  return i + 1 < siblings.size() ? siblings[i + 1].get() : nullptr;
}

MenuNode* MenuTree::Insert(MenuNode* parent, std::size_t index, std::unique_ptr<MenuNode> node) {
  auto& siblings = parent ? parent->children_ : topLevel_;
  index = std::min(index, siblings.size());
  if (observer_) observer_->AboutToInsert(parent, index);
  node->parent_ = parent;
  MenuNode* raw = node.get();
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(index), std::move(node));
  if (observer_) observer_->Inserted();
  return raw;
}

void MenuTree::Remove(MenuNode* node) {
  if (observer_) observer_->AboutToRemove(node);
  auto& siblings = MutableSiblingsOf(node);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(node->IndexInParent(siblings)));
  if (observer_) observer_->Removed();
}

void MenuTree::Move(MenuNode* node, MenuNode* newParent, std::size_t newIndex) {
  auto& from = MutableSiblingsOf(node);
  const std::size_t oldIndex = node->IndexInParent(from);
  auto& to = newParent ? newParent->children_ : topLevel_;
  newIndex = std::min(newIndex, to.size());
  // Moving within one level to the slot right behind itself, or onto itself, changes nothing.
  if (&from == &to && (newIndex == oldIndex || newIndex == oldIndex + 1)) return;
  if (observer_) observer_->AboutToMove(node, newParent, newIndex);
  std::unique_ptr<MenuNode> owned = std::move(from[oldIndex]);
  from.erase(from.begin() + static_cast<std::ptrdiff_t>(oldIndex));
  if (&from == &to && newIndex > oldIndex) --newIndex;
  owned->parent_ = newParent;
  to.insert(to.begin() + static_cast<std::ptrdiff_t>(newIndex), std::move(owned));
  if (observer_) observer_->Moved();
}

void MenuTree::Clear() {
  if (observer_) observer_->AboutToReset();
  topLevel_.clear();
  itemData_.Clear();
  if (observer_) observer_->Reset();
}

void MenuTree::FreeSubtreeData(const MenuNode& node) {
  itemData_.Free(node.record().recordKey);
  for (const auto& child : node.children()) FreeSubtreeData(*child);
}

void MenuTree::TakeContentOf(MenuTree& other) {
  if (observer_) observer_->AboutToReset();
  topLevel_ = std::move(other.topLevel_);
  other.topLevel_.clear();
  itemData_ = std::move(other.itemData_);
  other.itemData_.Clear();
  customItemCounter = other.customItemCounter;
  if (observer_) observer_->Reset();
}

void MenuTree::SetEntryData(MenuNode& node, std::optional<ItemDataRecord> data, bool saveAllData) {
  NodeRecord& record = node.record_;
  if (data) {
    itemData_.Store(record.recordKey, std::move(*data));
    record.modified = true;
    record.dataLength =
        static_cast<std::uint16_t>(DataLength(itemData_.Find(record.recordKey), saveAllData));
  } else {
    itemData_.Free(record.recordKey);
    record.modified = false;
    record.dataLength = 0;
  }
  NotifyRecordChanged(&node);
}

void MenuTree::NotifyRecordChanged(MenuNode* node) const {
  if (holding_ > 0) {
    if (std::find(held_.begin(), held_.end(), node) == held_.end()) held_.push_back(node);
    return;
  }
  if (observer_) observer_->RecordChanged(node);
}

void MenuTree::EditTogether(const std::function<void()>& write) {
  struct Hold {
    int& count;
    explicit Hold(int& held) : count(++held) {}
    ~Hold() { --count; }
  };
  {
    const Hold hold(holding_);
    write();
  }
  if (holding_ > 0) return;
  const std::vector<MenuNode*> written = std::move(held_);
  held_.clear();
  for (MenuNode* node : written) NotifyRecordChanged(node);
}

void MenuTree::EditRecord(MenuNode& node, const std::function<void(NodeRecord&)>& edit) {
  NodeRecord& record = node.record_;
  const std::uint8_t key = record.recordKey;
  const bool modified = record.modified;
  const std::uint16_t dataLength = record.dataLength;
  edit(record);
  record.recordKey = key;
  record.modified = modified;
  record.dataLength = dataLength;
  NotifyRecordChanged(&node);
}

void MenuTree::SetDisplayText(MenuNode& node, std::string displayText) {
  node.displayText_ = std::move(displayText);
  NotifyRecordChanged(&node);
}

void MenuTree::RefreshDataLength(MenuNode& node, bool saveAllData) {
  const auto length =
      static_cast<std::uint16_t>(DataLength(itemData_.Find(node.record_.recordKey), saveAllData));
  if (length == node.record_.dataLength) return;
  node.record_.dataLength = length;
  NotifyRecordChanged(&node);
}

void MenuTree::Renumber() {
  MenuNode* root = menuRoot();
  if (!root) return;

  std::unordered_map<const MenuNode*, std::uint8_t> numbers;
  std::uint8_t next = kFirstEntryRecord;
  LayOutGroup(*root, next, numbers);
  numbers[root] = kMenuRootRecord;

  ItemDataTable scratch;
  // Soft key keys never change, so their data stays where it is.
  for (std::uint8_t key = 3; key <= 9; ++key)
    if (const ItemDataRecord* data = itemData_.Find(key)) scratch.Store(key, *data);

  // An empty main menu has no first entry to point to.
  if (root->children_.empty()) root->record_.firstChildIndex = kNoIndex;

  std::size_t position = 0;
  ForEach([&](MenuNode& node) {
    if (position++ < kFirstEntryPosition) return;
    NodeRecord& record = node.record_;
    MenuNode& parent = *node.parent_;
    const std::uint8_t oldKey = record.recordKey;
    const std::uint8_t key = static_cast<std::uint8_t>(numbers.at(&node) + 1);
    record.recordKey = key;
    record.nextIndex = key;
    record.parentIndex = numbers.at(&parent);
    if (node.children_.empty()) {
      record.firstChildIndex = kNoIndex;
      if (record.itemType == kFolder) record.itemType = kPlainItem;
    }
    if (record.modified) {
      if (const ItemDataRecord* data = itemData_.Find(oldKey)) scratch.Store(key, *data);
    }
    if (parent.children_.front().get() == &node)
      parent.record_.firstChildIndex = static_cast<std::uint8_t>(key - 1);
    if (parent.children_.back().get() == &node) record.nextIndex = kNoIndex;
  });

  itemData_ = std::move(scratch);
}

MenuNode* MenuTree::RestoreRecords(const TreeRecords& records) {
  // The data first: whoever hears of a changed record reads the entry's data with it.
  itemData_ = records.itemData;
  customItemCounter = records.customItemCounter;
  MenuNode* firstChanged = nullptr;
  std::size_t position = 0;
  ForEach([&](MenuNode& node) {
    if (position >= records.nodes.size()) return;
    const TreeRecords::Entry& entry = records.nodes[position++];
    if (node.record_ == entry.record && node.displayText_ == entry.displayText) return;
    node.record_ = entry.record;
    node.displayText_ = entry.displayText;
    if (!firstChanged) firstChanged = &node;
    NotifyRecordChanged(&node);
  });
  return firstChanged;
}

}  // namespace menuforge

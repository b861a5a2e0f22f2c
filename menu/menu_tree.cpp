#include "menu/menu_tree.h"

#include <algorithm>

namespace menuforge {

std::string TooManyEntriesText() {
  return "The main menu already holds " + std::to_string(kMaxMenuEntries) +
         " entries, the most an mma_ucp file can hold";
}

const std::array<std::string_view, kSoftkeyCount> kSoftkeyPrefixes = {
    "LSK: ", "RSK: ", "Up: ", "Down: ", "Left: ", "Right: ", "Smart: "};

std::size_t MenuNode::IndexInParent(const std::vector<std::unique_ptr<MenuNode>>& siblings) const {
  for (std::size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return i;
  return siblings.size();
}

std::size_t MenuNode::DescendantCount() const {
  std::size_t n = children.size();
  for (const auto& child : children) n += child->DescendantCount();
  return n;
}

bool MenuNode::IsAncestorOf(const MenuNode* other) const {
  for (const MenuNode* p = other ? other->parent : nullptr; p; p = p->parent)
    if (p == this) return true;
  return false;
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
    for (const auto& child : node.children) walk(*child);
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
  return node->parent ? node->parent->children : topLevel_;
}

MenuTree::Siblings& MenuTree::MutableSiblingsOf(const MenuNode* node) {
  return node->parent ? node->parent->children : topLevel_;
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
  auto& siblings = parent ? parent->children : topLevel_;
  index = std::min(index, siblings.size());
  if (observer_) observer_->AboutToInsert(parent, index);
  node->parent = parent;
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
  auto& to = newParent ? newParent->children : topLevel_;
  newIndex = std::min(newIndex, to.size());
  // Moving within one level to the slot right behind itself, or onto itself, changes nothing.
  if (&from == &to && (newIndex == oldIndex || newIndex == oldIndex + 1)) return;
  if (observer_) observer_->AboutToMove(node, newParent, newIndex);
  std::unique_ptr<MenuNode> owned = std::move(from[oldIndex]);
  from.erase(from.begin() + static_cast<std::ptrdiff_t>(oldIndex));
  if (&from == &to && newIndex > oldIndex) --newIndex;
  owned->parent = newParent;
  to.insert(to.begin() + static_cast<std::ptrdiff_t>(newIndex), std::move(owned));
  if (observer_) observer_->Moved();
}

void MenuTree::Clear() {
  if (observer_) observer_->AboutToReset();
  topLevel_.clear();
  if (observer_) observer_->Reset();
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
  NodeRecord& record = node.record;
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
  if (observer_) observer_->RecordChanged(node);
}

}  // namespace menuforge

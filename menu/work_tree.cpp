#include "menu/work_tree.h"

#include <algorithm>

#include "base/text_encoding.h"
#include "menu/tree_operations.h"

namespace menuforge {
namespace {

std::unique_ptr<WorkNode> CopyNode(const MenuNode& node, const MenuTree& tree, WorkNode* parent,
                                   std::unordered_map<const MenuNode*, WorkNode*>& copies) {
  auto copy = std::make_unique<WorkNode>();
  copy->record = node.record();
  copy->displayText = node.displayText();
  copy->parent = parent;
  if (const ItemDataRecord* data = tree.itemData().Find(node.record().recordKey);
      data && node.record().modified)
    copy->data = *data;
  copies[&node] = copy.get();
  for (const auto& child : node.children())
    copy->children.push_back(CopyNode(*child, tree, copy.get(), copies));
  return copy;
}

std::unique_ptr<MenuNode> ToMenuNode(const WorkNode& work) {
  NodeRecord record = work.record;
  record.modified = false;
  record.dataLength = 0;
  return std::make_unique<MenuNode>(std::move(record), work.displayText);
}

void InsertAll(MenuTree& tree, MenuNode* parent, const WorkNode& work, std::size_t index) {
  MenuNode* node = tree.Insert(parent, index, ToMenuNode(work));
  for (std::size_t i = 0; i < work.children.size(); ++i)
    InsertAll(tree, node, *work.children[i], i);
}

void StoreData(MenuTree& tree, MenuNode& node, WorkNode& work, bool saveAllData, bool entry) {
  if (work.data) {
    work.data->ownerKey = node.record().recordKey;
    tree.SetEntryData(node, std::move(work.data), saveAllData);
  }
  if (entry && node.record().IsCustom()) CountCustomName(tree, node.record().itemName, false);
  for (std::size_t i = 0; i < work.children.size(); ++i)
    StoreData(tree, *node.children()[i], *work.children[i], saveAllData,
              entry || &node == tree.menuRoot());
}

}  // namespace

std::size_t WorkNode::Index() const {
  const auto& siblings = parent->children;
  return static_cast<std::size_t>(
      std::find_if(siblings.begin(), siblings.end(),
                   [&](const auto& sibling) { return sibling.get() == this; }) -
      siblings.begin());
}

bool WorkNode::IsAncestorOf(const WorkNode* other) const {
  for (const WorkNode* at = other ? other->parent : nullptr; at; at = at->parent)
    if (at == this) return true;
  return false;
}

std::vector<std::string> WorkNode::Names() const {
  std::vector<std::string> names;
  for (const WorkNode* at = this; at; at = at->parent)
    names.insert(names.begin(),
                 Latin1ToUtf8(at->displayText.empty() ? at->record.itemName : at->displayText));
  return names;
}

WorkTree CopyToWork(const MenuTree& tree, std::unordered_map<const MenuNode*, WorkNode*>& copies) {
  WorkTree work;
  work.customItemCounter = tree.customItemCounter;
  for (const auto& top : tree.topLevel()) work.top.push_back(CopyNode(*top, tree, nullptr, copies));
  return work;
}

std::unique_ptr<WorkNode> Detach(WorkNode& node) {
  auto& siblings = node.parent->children;
  const auto at = siblings.begin() + static_cast<std::ptrdiff_t>(node.Index());
  std::unique_ptr<WorkNode> owned = std::move(*at);
  siblings.erase(at);
  owned->parent = nullptr;
  return owned;
}

WorkNode& Attach(WorkNode& parent, std::size_t index, std::unique_ptr<WorkNode> node) {
  node->parent = &parent;
  index = std::min(index, parent.children.size());
  return **parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(index),
                                  std::move(node));
}

MenuTree BuildMenuTree(WorkTree work, bool saveAllData) {
  MenuTree tree;
  tree.customItemCounter = work.customItemCounter;
  for (std::size_t i = 0; i < work.top.size(); ++i) InsertAll(tree, nullptr, *work.top[i], i);
  tree.Renumber();
  for (std::size_t i = 0; i < work.top.size(); ++i)
    StoreData(tree, *tree.topLevel()[i], *work.top[i], saveAllData, false);
  return tree;
}

}  // namespace menuforge

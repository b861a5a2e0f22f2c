#include "menu/tree_edit.h"

#include <algorithm>

namespace menuforge {
namespace {

NodePath ParentPath(const NodePath& path) { return NodePath(path.begin(), path.end() - 1); }

MenuNode* ParentAt(const MenuTree& tree, const NodePath& path) {
  return path.size() > 1 ? NodeAtPath(tree, ParentPath(path)) : nullptr;
}

void InsertCopy(MenuTree& tree, const ShapeChange& change, const NodePath& at) {
  tree.Insert(ParentAt(tree, at), at.back(), change.subtree->CopySubtree());
}

// `path` names a place in the tree as it is without the node at `removed`; the same place while
// that node is still there lies one step further along its level.
NodePath WithNodeStillAt(NodePath path, const NodePath& removed) {
  const std::size_t level = removed.size() - 1;
  if (path.size() > level && std::equal(removed.begin(), removed.begin() + level, path.begin()) &&
      path[level] > removed[level])
    ++path[level];
  return path;
}

// Moves the node at `at` so that it stands at `destination` once the move is done.
void MoveNode(MenuTree& tree, const NodePath& at, const NodePath& destination) {
  MenuNode* node = NodeAtPath(tree, at);
  MenuNode* parent = destination.size() > 1
                         ? NodeAtPath(tree, WithNodeStillAt(ParentPath(destination), at))
                         : nullptr;
  std::size_t index = destination.back();
  // The tree counts the target slot with the node still in its level.
  if (parent == node->parent() && index >= at.back()) ++index;
  tree.Move(node, parent, index);
}

}  // namespace

NodePath PathOf(const MenuNode& node, const MenuTree& tree) {
  NodePath path;
  for (const MenuNode* step = &node; step; step = step->parent())
    path.push_back(tree.IndexOf(step));
  std::reverse(path.begin(), path.end());
  return path;
}

MenuNode* NodeAtPath(const MenuTree& tree, const NodePath& path) {
  const MenuTree::Siblings* level = &tree.topLevel();
  MenuNode* node = nullptr;
  for (const std::size_t index : path) {
    if (index >= level->size()) return nullptr;
    node = (*level)[index].get();
    level = &node->children();
  }
  return node;
}

TreeRecords CaptureRecords(const MenuTree& tree) {
  TreeRecords records;
  tree.ForEach([&](MenuNode& node) {
    records.nodes.push_back({node.record(), node.displayText()});
  });
  records.itemData = tree.itemData();
  records.customItemCounter = tree.customItemCounter;
  return records;
}

MenuNode* UndoTreeEdit(MenuTree& tree, const TreeEdit& edit) {
  for (auto change = edit.changes.rbegin(); change != edit.changes.rend(); ++change) {
    switch (change->kind) {
      case ShapeChange::Kind::Insert: tree.Remove(NodeAtPath(tree, change->from)); break;
      case ShapeChange::Kind::Remove: InsertCopy(tree, *change, change->from); break;
      case ShapeChange::Kind::Move: MoveNode(tree, change->to, change->from); break;
    }
  }
  MenuNode* changed = tree.RestoreRecords(edit.before);
  if (edit.changes.empty()) return changed;
  const ShapeChange& first = edit.changes.front();
  return first.kind == ShapeChange::Kind::Insert ? ParentAt(tree, first.from)
                                                 : NodeAtPath(tree, first.from);
}

MenuNode* RedoTreeEdit(MenuTree& tree, const TreeEdit& edit) {
  for (const ShapeChange& change : edit.changes) {
    switch (change.kind) {
      case ShapeChange::Kind::Insert: InsertCopy(tree, change, change.from); break;
      case ShapeChange::Kind::Remove: tree.Remove(NodeAtPath(tree, change.from)); break;
      case ShapeChange::Kind::Move: MoveNode(tree, change.from, change.to); break;
    }
  }
  MenuNode* changed = tree.RestoreRecords(edit.after);
  if (edit.changes.empty()) return changed;
  const ShapeChange& last = edit.changes.back();
  switch (last.kind) {
    case ShapeChange::Kind::Insert: return NodeAtPath(tree, last.from);
    case ShapeChange::Kind::Remove: return ParentAt(tree, last.from);
    case ShapeChange::Kind::Move: break;
  }
  return NodeAtPath(tree, last.to);
}

TreeEditRecorder::TreeEditRecorder(const MenuTree& tree) : tree_(tree) {
  edit_.before = CaptureRecords(tree_);
}

std::optional<TreeEdit> TreeEditRecorder::Finish() {
  edit_.after = CaptureRecords(tree_);
  if (edit_.changes.empty() && edit_.before == edit_.after) return std::nullopt;
  return std::move(edit_);
}

void TreeEditRecorder::AboutToInsert(MenuNode* parent, std::size_t index) {
  NodePath path = parent ? PathOf(*parent, tree_) : NodePath();
  path.push_back(index);
  edit_.changes.push_back({ShapeChange::Kind::Insert, std::move(path), {}, nullptr});
}

void TreeEditRecorder::Inserted() {
  ShapeChange& change = edit_.changes.back();
  change.subtree = NodeAtPath(tree_, change.from)->CopySubtree();
}

void TreeEditRecorder::AboutToRemove(MenuNode* node) {
  edit_.changes.push_back(
      {ShapeChange::Kind::Remove, PathOf(*node, tree_), {}, node->CopySubtree()});
}

void TreeEditRecorder::AboutToMove(MenuNode* node, MenuNode*, std::size_t) {
  moving_ = node;
  edit_.changes.push_back({ShapeChange::Kind::Move, PathOf(*node, tree_), {}, nullptr});
}

void TreeEditRecorder::Moved() { edit_.changes.back().to = PathOf(*moving_, tree_); }

}  // namespace menuforge

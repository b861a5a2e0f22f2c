// One edit of the menu tree, kept so that it can be taken back and done again exactly: the shape
// changes it made, and every node record, item data record and the custom item counter before
// and after it. Restoring all records, not just the touched ones, is what brings back a deleted
// entry with its data and custom number and every key the renumbering moved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menu/menu_tree.h"

namespace menuforge {

// A node's place: its index at each level from the top.
using NodePath = std::vector<std::size_t>;

NodePath PathOf(const MenuNode& node, const MenuTree& tree);
// nullptr when the path leads nowhere.
MenuNode* NodeAtPath(const MenuTree& tree, const NodePath& path);

TreeRecords CaptureRecords(const MenuTree& tree);

struct ShapeChange {
  enum class Kind { Insert, Remove, Move };
  Kind kind = Kind::Insert;
  // Insert: where the node stands after it; Remove and Move: where it stood before.
  NodePath from;
  // Move: where the node stands after it.
  NodePath to;
  // Insert and Remove: the node with its subtree, as it came or went.
  std::shared_ptr<const MenuNode> subtree;
};

struct TreeEdit {
  std::vector<ShapeChange> changes;
  TreeRecords before;
  TreeRecords after;
};

// Takes an edit back; returns the node to show (the one brought back or moved back, the parent
// of one taken away, or the node whose record changed), or nullptr.
MenuNode* UndoTreeEdit(MenuTree& tree, const TreeEdit& edit);
// Does an edit again on the tree it was taken back from; returns the node to show.
MenuNode* RedoTreeEdit(MenuTree& tree, const TreeEdit& edit);

// Notes what changed in the tree between its construction and Finish, from the notices its
// owner hands on: the tree's one observer slot stays with whoever owns the tree.
class TreeEditRecorder final : public TreeObserver {
 public:
  explicit TreeEditRecorder(const MenuTree& tree);
  TreeEditRecorder(const TreeEditRecorder&) = delete;
  TreeEditRecorder& operator=(const TreeEditRecorder&) = delete;

  // The edit, or nothing when the tree is as it was.
  [[nodiscard]] std::optional<TreeEdit> Finish();

  void AboutToInsert(MenuNode* parent, std::size_t index) override;
  void Inserted() override;
  void AboutToRemove(MenuNode* node) override;
  void Removed() override {}
  void AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) override;
  void Moved() override;
  void AboutToReset() override {}
  void Reset() override {}
  void RecordChanged(MenuNode*) override {}

 private:
  const MenuTree& tree_;
  TreeEdit edit_;
  MenuNode* moving_ = nullptr;
};

}  // namespace menuforge

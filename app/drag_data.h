// What a drag onto the menu tree carries: a node of the tree itself, or an entry of the item
// list. Both only ever travel within this program, so they carry the objects themselves.
#pragma once

#include <QMimeData>
#include <cstddef>

namespace menuforge {

class MenuNode;

class NodeDragData : public QMimeData {
  Q_OBJECT

 public:
  explicit NodeDragData(MenuNode* node) : node_(node) {}
  MenuNode* node() const { return node_; }

 private:
  MenuNode* node_;
};

class EntryDragData : public QMimeData {
  Q_OBJECT

 public:
  // `position` in the available items; `text` its display name.
  EntryDragData(std::size_t position, const QString& text) : position_(position) { setText(text); }
  std::size_t position() const { return position_; }

 private:
  std::size_t position_;
};

}  // namespace menuforge

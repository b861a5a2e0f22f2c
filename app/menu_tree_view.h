// The menu tree on screen: drags its nodes, takes drops of nodes and item list entries where
// the rules allow them, and opens nodes that a drag passes over.
#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>
#include <vector>

#include "app/menu_tree_model.h"

namespace menuforge {

class MenuTreeView : public QTreeView {
  Q_OBJECT

 public:
  MenuTreeView(MenuTreeModel& model, const MenuTree& tree, QWidget* parent = nullptr);

  MenuNode* SelectedNode() const;
  void SelectNode(const MenuNode* node);

  // Closes again what the last drag opened, except the nodes that hold `dropped` (nullptr when
  // nothing was added or moved).
  void CollapseAutoExpanded(const MenuNode* dropped);

 Q_SIGNALS:
  void NodeDropped(MenuNode* dragged, MenuNode* target);
  void EntryDropped(std::size_t position, MenuNode* target);

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  MenuNode* TargetAt(const QPoint& position) const;
  bool Accepts(const QMimeData* data, const MenuNode* target) const;
  void ScrollNearEdge(const QPoint& position);
  void CollapseSubtree(const QModelIndex& index);

  MenuTreeModel& model_;
  const MenuTree& tree_;
  std::vector<QPersistentModelIndex> autoExpanded_;
};

}  // namespace menuforge

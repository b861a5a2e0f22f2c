#include "app/menu_tree_view.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <algorithm>

#include "app/core/tree_rules.h"
#include "app/drag_data.h"

namespace menuforge {

MenuTreeView::MenuTreeView(MenuTreeModel& model, const MenuTree& tree, QWidget* parent)
    : QTreeView(parent), model_(model), tree_(tree) {
  setModel(&model_);
  setHeaderHidden(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDropIndicatorShown(false);
  setMouseTracking(true);
  setContextMenuPolicy(Qt::CustomContextMenu);

  // The selection stays as visible when the tree loses the focus.
  QPalette colours = palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Active, QPalette::Highlight));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(colours);
}

MenuNode* MenuTreeView::SelectedNode() const { return model_.NodeFrom(currentIndex()); }

void MenuTreeView::SelectNode(const MenuNode* node) {
  const QModelIndex index = model_.IndexFor(node);
  setCurrentIndex(index);
  scrollTo(index);
}

void MenuTreeView::CollapseAutoExpanded(const MenuNode* dropped) {
  for (const QPersistentModelIndex& opened : autoExpanded_) {
    const MenuNode* node = model_.NodeFrom(opened);
    if (node == nullptr || (dropped != nullptr && StaysExpandedAfterDrop(*node, *dropped)))
      continue;
    if (isExpanded(opened)) CollapseSubtree(opened);
  }
  autoExpanded_.clear();
}

void MenuTreeView::CollapseSubtree(const QModelIndex& index) {
  for (int row = 0; row < model_.rowCount(index); ++row)
    CollapseSubtree(model_.index(row, 0, index));
  collapse(index);
}

void MenuTreeView::startDrag(Qt::DropActions) {
  MenuNode* node = SelectedNode();
  if (node == nullptr) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(new NodeDragData(node));
  drag->exec(Qt::MoveAction);
}

MenuNode* MenuTreeView::TargetAt(const QPoint& position) const {
  return model_.NodeFrom(indexAt(position));
}

bool MenuTreeView::Accepts(const QMimeData* data, const MenuNode* target) const {
  if (const auto* node = qobject_cast<const NodeDragData*>(data))
    return AcceptsDrop(tree_, target, DragSource::TreeNode, node->node());
  if (qobject_cast<const EntryDragData*>(data))
    return AcceptsDrop(tree_, target, DragSource::ItemList, nullptr);
  return false;
}

void MenuTreeView::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (qobject_cast<const NodeDragData*>(data) || qobject_cast<const EntryDragData*>(data))
    event->acceptProposedAction();
  else
    event->ignore();
}

void MenuTreeView::dragMoveEvent(QDragMoveEvent* event) {
  const QPoint position = event->position().toPoint();
  ScrollNearEdge(position);
  const MenuNode* target = TargetAt(position);
  if (!Accepts(event->mimeData(), target)) {
    event->ignore();
    return;
  }
  const QModelIndex index = model_.IndexFor(target);
  if (model_.hasChildren(index)) {
    expand(index);
    if (std::find(autoExpanded_.begin(), autoExpanded_.end(), index) == autoExpanded_.end())
      autoExpanded_.emplace_back(index);
  }
  event->acceptProposedAction();
}

void MenuTreeView::dragLeaveEvent(QDragLeaveEvent* event) {
  stopAutoScroll();
  event->accept();
}

void MenuTreeView::dropEvent(QDropEvent* event) {
  stopAutoScroll();
  MenuNode* target = TargetAt(event->position().toPoint());
  if (!Accepts(event->mimeData(), target)) {
    // What the drag opened closes again after a refused drop as after an accepted one.
    CollapseAutoExpanded(nullptr);
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (const auto* node = qobject_cast<const NodeDragData*>(event->mimeData()))
    Q_EMIT NodeDropped(node->node(), target);
  else if (const auto* entry = qobject_cast<const EntryDragData*>(event->mimeData()))
    Q_EMIT EntryDropped(entry->position(), target);
}

void MenuTreeView::ScrollNearEdge(const QPoint& position) {
  const QRect area = viewport()->rect();
  const int margin = autoScrollMargin();
  if (position.y() < area.top() + margin || position.y() > area.bottom() - margin)
    startAutoScroll();
  else
    stopAutoScroll();
}

}  // namespace menuforge

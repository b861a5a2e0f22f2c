#include "app/menu_tree_model.h"

#include "widgets/shown_text.h"

namespace menuforge {

MenuTreeModel::MenuTreeModel(MenuDocument& document, QObject* parent)
    : QAbstractItemModel(parent), tree_(&document.tree()) {
  document.AddObserver(*this);
}

MenuNode* MenuTreeModel::NodeFrom(const QModelIndex& index) const {
  if (!tree_ || !index.isValid() || index.model() != this) return nullptr;
  return static_cast<MenuNode*>(index.internalPointer());
}

QModelIndex MenuTreeModel::IndexFor(const MenuNode* node) const {
  if (node == nullptr || !tree_) return {};
  return createIndex(static_cast<int>(tree_->IndexOf(node)), 0, const_cast<MenuNode*>(node));
}

QModelIndex MenuTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (!tree_ || row < 0 || column != 0 || (parent.isValid() && parent.column() != 0)) return {};
  const MenuNode* parentNode = NodeFrom(parent);
  const MenuTree::Siblings& siblings = parentNode ? parentNode->children() : tree_->topLevel();
  if (static_cast<std::size_t>(row) >= siblings.size()) return {};
  return createIndex(row, 0, siblings[static_cast<std::size_t>(row)].get());
}

QModelIndex MenuTreeModel::parent(const QModelIndex& child) const {
  const MenuNode* node = NodeFrom(child);
  return node ? IndexFor(node->parent()) : QModelIndex();
}

int MenuTreeModel::rowCount(const QModelIndex& parent) const {
  if (!tree_ || (parent.isValid() && parent.column() != 0)) return 0;
  const MenuNode* node = NodeFrom(parent);
  return static_cast<int>(node ? node->children().size() : tree_->topLevel().size());
}

int MenuTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant MenuTreeModel::data(const QModelIndex& index, int role) const {
  const MenuNode* node = NodeFrom(index);
  if (node == nullptr || role != Qt::DisplayRole) return {};
  return ShownText(node->displayText());
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void MenuTreeModel::AboutToInsert(MenuNode* parent, std::size_t index) {
  const int row = static_cast<int>(index);
  beginInsertRows(IndexFor(parent), row, row);
}

void MenuTreeModel::Inserted() { endInsertRows(); }

void MenuTreeModel::AboutToRemove(MenuNode* node) {
  const int row = static_cast<int>(tree_->IndexOf(node));
  beginRemoveRows(IndexFor(node->parent()), row, row);
}

void MenuTreeModel::Removed() { endRemoveRows(); }

void MenuTreeModel::AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) {
  const int row = static_cast<int>(tree_->IndexOf(node));
  // The tree never announces a move that Qt would reject (onto itself or into its own subtree);
  // should one come anyway, the views are told to start over rather than be left behind.
  moveAnnounced_ = beginMoveRows(IndexFor(node->parent()), row, row, IndexFor(newParent),
                                 static_cast<int>(newIndex));
  if (!moveAnnounced_) beginResetModel();
}

void MenuTreeModel::Moved() {
  if (moveAnnounced_)
    endMoveRows();
  else
    endResetModel();
}

void MenuTreeModel::AboutToReset() { beginResetModel(); }

void MenuTreeModel::Reset() { endResetModel(); }

void MenuTreeModel::DocumentGone() { tree_ = nullptr; }

void MenuTreeModel::RecordChanged(MenuNode* node) {
  const QModelIndex changed = IndexFor(node);
  Q_EMIT dataChanged(changed, changed);
}

}  // namespace menuforge

// The document's menu tree as a Qt item model. The document tells the model of every change of
// shape before and after it happens, and the model passes each notice on as the matching Qt
// signal.
#pragma once

#include "document/menu_document.h"
#include "menu/tree_operations.h"

#include <QAbstractItemModel>

namespace menuforge {

class MenuTreeModel : public QAbstractItemModel, private DocumentObserver {
  Q_OBJECT

 public:
  explicit MenuTreeModel(MenuDocument& document, QObject* parent = nullptr);

  MenuNode* NodeFrom(const QModelIndex& index) const;
  QModelIndex IndexFor(const MenuNode* node) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void AboutToInsert(MenuNode* parent, std::size_t index) override;
  void Inserted() override;
  void AboutToRemove(MenuNode* node) override;
  void Removed() override;
  void AboutToMove(MenuNode* node, MenuNode* newParent, std::size_t newIndex) override;
  void Moved() override;
  void AboutToReset() override;
  void Reset() override;
  void RecordChanged(MenuNode* node) override;
  void DocumentGone() override;

  // Null once the document is gone: the model is empty from then on.
  const MenuTree* tree_;
  bool moveAnnounced_ = false;
};

}  // namespace menuforge

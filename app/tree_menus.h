// The item list's menu (add an entry beside or below the selected one, or put it in its place)
// and the tree's menu (modify, delete, move), each command enabled as the tree rules say.
#pragma once

#include <QObject>

#include "app/core/tree_rules.h"
#include "menu/tree_operations.h"

class QAction;
class QMenu;
class QWidget;

namespace menuforge {

class TreeMenus final : public QObject {
  Q_OBJECT

 public:
  // The tree menu's commands also answer keys while `tree` has the focus.
  TreeMenus(QWidget& owner, QWidget& tree);

  QMenu* itemMenu() const { return itemMenu_; }
  QMenu* treeMenu() const { return treeMenu_; }
  void ShowItemMenu(const ItemMenuEnables& enables);
  void ShowTreeMenu(const TreeMenuEnables& enables);

 Q_SIGNALS:
  void AddRequested(Placement placement);
  void ReplaceRequested();
  void ModifyRequested();
  void DeleteRequested();
  void MoveUpRequested();
  void MoveDownRequested();

 private:
  void CreateItemMenu(QWidget& owner);
  void CreateTreeMenu(QWidget& owner, QWidget& tree);

  QMenu* itemMenu_ = nullptr;
  QMenu* addSubitemMenu_ = nullptr;
  QMenu* addItemMenu_ = nullptr;
  QAction* replace_ = nullptr;
  QMenu* treeMenu_ = nullptr;
  QAction* modify_ = nullptr;
  QAction* delete_ = nullptr;
  QAction* moveUp_ = nullptr;
  QAction* moveDown_ = nullptr;
};

}  // namespace menuforge

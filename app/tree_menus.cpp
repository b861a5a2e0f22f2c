#include "app/tree_menus.h"

#include <QMenu>
#include <QWidget>

namespace menuforge {
namespace {

QAction* AddNamedAction(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QMenu* AddNamedMenu(QMenu* menu, const char* name, const char* caption) {
  QMenu* submenu = menu->addMenu(QString::fromLatin1(caption));
  submenu->setObjectName(QString::fromLatin1(name));
  return submenu;
}

}  // namespace

TreeMenus::TreeMenus(QWidget& owner, QWidget& tree) : QObject(&owner) {
  CreateItemMenu(owner);
  CreateTreeMenu(owner, tree);
}

void TreeMenus::CreateItemMenu(QWidget& owner) {
  itemMenu_ = new QMenu(&owner);
  itemMenu_->setObjectName(QStringLiteral("itemMenu"));
  addSubitemMenu_ = AddNamedMenu(itemMenu_, "addSubitemMenu", "Add subitem");
  connect(AddNamedAction(addSubitemMenu_, "addSubitemFirstAction", "Add First"),
          &QAction::triggered, this, [this] { Q_EMIT AddRequested(Placement::FirstChild); });
  connect(AddNamedAction(addSubitemMenu_, "addSubitemLastAction", "Add Last"), &QAction::triggered,
          this, [this] { Q_EMIT AddRequested(Placement::LastChild); });
  addItemMenu_ = AddNamedMenu(itemMenu_, "addItemMenu", "Add item");
  connect(AddNamedAction(addItemMenu_, "addItemFirstAction", "Add First"), &QAction::triggered,
          this, [this] { Q_EMIT AddRequested(Placement::FirstSibling); });
  connect(AddNamedAction(addItemMenu_, "addItemBeforeAction", "Add Before"), &QAction::triggered,
          this, [this] { Q_EMIT AddRequested(Placement::Before); });
  replace_ = AddNamedAction(itemMenu_, "replaceAction", "Replace");
  connect(replace_, &QAction::triggered, this, &TreeMenus::ReplaceRequested);
}

void TreeMenus::CreateTreeMenu(QWidget& owner, QWidget& tree) {
  treeMenu_ = new QMenu(&owner);
  treeMenu_->setObjectName(QStringLiteral("treeMenu"));
  modify_ = AddNamedAction(treeMenu_, "modifyItemAction", "Modify item");
  delete_ = AddNamedAction(treeMenu_, "deleteItemAction", "Delete item");
  moveUp_ = AddNamedAction(treeMenu_, "moveUpAction", "Move up");
  moveDown_ = AddNamedAction(treeMenu_, "moveDownAction", "Move down");
  connect(modify_, &QAction::triggered, this, &TreeMenus::ModifyRequested);
  connect(delete_, &QAction::triggered, this, &TreeMenus::DeleteRequested);
  connect(moveUp_, &QAction::triggered, this, &TreeMenus::MoveUpRequested);
  connect(moveDown_, &QAction::triggered, this, &TreeMenus::MoveDownRequested);

  // The same commands from the keyboard while the tree has the focus.
  modify_->setShortcuts({Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2});
  delete_->setShortcut(Qt::Key_Delete);
  moveUp_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
  moveDown_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
  for (QAction* action : {modify_, delete_, moveUp_, moveDown_}) {
    action->setShortcutContext(Qt::WidgetShortcut);
    tree.addAction(action);
  }
}

void TreeMenus::ShowItemMenu(const ItemMenuEnables& enables) {
  addSubitemMenu_->menuAction()->setEnabled(enables.addSubitem);
  addItemMenu_->menuAction()->setEnabled(enables.addItem);
  replace_->setEnabled(enables.replace);
}

void TreeMenus::ShowTreeMenu(const TreeMenuEnables& enables) {
  modify_->setEnabled(enables.modifyItem);
  delete_->setEnabled(enables.deleteItem);
  moveUp_->setEnabled(enables.moveUp);
  moveDown_->setEnabled(enables.moveDown);
}

}  // namespace menuforge

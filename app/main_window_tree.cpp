// Editing the menu tree: the item list and its menu, the tree's menu, the item summary and the
// drops onto the tree.
#include "app/main_window.h"

#include <QMenu>
#include <QPlainTextEdit>

#include "app/core/item_summary.h"
#include "app/core/tree_rules.h"
#include "app/editor_window_prompts.h"
#include "app/item_list_box.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "base/user_messages.h"
#include "editor/item_editor_dialog.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kDeleteQuestion[] =
    "The item and all its subitems will be deleted\r\n           Continue?";
// The item menu opens this far below the list's top edge, plus one line.
constexpr int kItemMenuDrop = 50;

// What the undo and redo actions name.
constexpr char kAddItemStep[] = "Add item";
constexpr char kReplaceItemStep[] = "Replace item";
constexpr char kModifyItemStep[] = "Modify item";
constexpr char kDeleteItemStep[] = "Delete item";
constexpr char kMoveItemStep[] = "Move item";

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

void MainWindow::CreateContextMenus() {
  itemMenu_ = new QMenu(this);
  itemMenu_->setObjectName(QStringLiteral("itemMenu"));
  addSubitemMenu_ = AddNamedMenu(itemMenu_, "addSubitemMenu", "Add subitem");
  connect(AddNamedAction(addSubitemMenu_, "addSubitemFirstAction", "Add First"),
          &QAction::triggered, this, [this] { AddItem(Placement::FirstChild); });
  connect(AddNamedAction(addSubitemMenu_, "addSubitemLastAction", "Add Last"), &QAction::triggered,
          this, [this] { AddItem(Placement::LastChild); });
  addItemMenu_ = AddNamedMenu(itemMenu_, "addItemMenu", "Add item");
  connect(AddNamedAction(addItemMenu_, "addItemFirstAction", "Add First"), &QAction::triggered,
          this, [this] { AddItem(Placement::FirstSibling); });
  connect(AddNamedAction(addItemMenu_, "addItemBeforeAction", "Add Before"), &QAction::triggered,
          this, [this] { AddItem(Placement::Before); });
  replaceAction_ = AddNamedAction(itemMenu_, "replaceAction", "Replace");
  connect(replaceAction_, &QAction::triggered, this, &MainWindow::ReplaceItem);
  connect(itemMenu_, &QMenu::aboutToShow, this, &MainWindow::UpdateItemMenu);

  treeMenu_ = new QMenu(this);
  treeMenu_->setObjectName(QStringLiteral("treeMenu"));
  modifyItemAction_ = AddNamedAction(treeMenu_, "modifyItemAction", "Modify item");
  deleteItemAction_ = AddNamedAction(treeMenu_, "deleteItemAction", "Delete item");
  moveUpAction_ = AddNamedAction(treeMenu_, "moveUpAction", "Move up");
  moveDownAction_ = AddNamedAction(treeMenu_, "moveDownAction", "Move down");
  connect(modifyItemAction_, &QAction::triggered, this, &MainWindow::ModifyItem);
  connect(deleteItemAction_, &QAction::triggered, this, &MainWindow::DeleteItem);
  connect(moveUpAction_, &QAction::triggered, this, &MainWindow::MoveItemUp);
  connect(moveDownAction_, &QAction::triggered, this, &MainWindow::MoveItemDown);
  connect(treeMenu_, &QMenu::aboutToShow, this, &MainWindow::UpdateTreeMenu);

  // The same commands from the keyboard while the tree has the focus.
  modifyItemAction_->setShortcuts({Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2});
  deleteItemAction_->setShortcut(Qt::Key_Delete);
  moveUpAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
  moveDownAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
  for (QAction* action : {modifyItemAction_, deleteItemAction_, moveUpAction_, moveDownAction_}) {
    action->setShortcutContext(Qt::WidgetShortcut);
    treeView_->addAction(action);
  }
  treeView_->setExpandsOnDoubleClick(false);
}

std::optional<std::size_t> MainWindow::CurrentEntry() const {
  const int index = itemList_->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= document_.catalog().availableItems().count())
    return std::nullopt;
  return static_cast<std::size_t>(index);
}

void MainWindow::ChooseItemListEntry() {
  if (treeView_->SelectedNode() == nullptr) return;
  const int lineHeight = itemList_->fontMetrics().height();
  itemMenu_->popup(
      itemList_->mapToGlobal(QPoint(itemList_->width() / 2, kItemMenuDrop + lineHeight)));
}

void MainWindow::UpdateItemMenu() {
  const ItemMenuEnables enables =
      ItemMenuRules(document_.tree(), treeView_->SelectedNode(), CurrentEntry().has_value());
  addSubitemMenu_->menuAction()->setEnabled(enables.addSubitem);
  addItemMenu_->menuAction()->setEnabled(enables.addItem);
  replaceAction_->setEnabled(enables.replace);
}

void MainWindow::UpdateTreeMenu() {
  const TreeMenuEnables enables = TreeMenuRules(document_.tree(), treeView_->SelectedNode());
  modifyItemAction_->setEnabled(enables.modifyItem);
  deleteItemAction_->setEnabled(enables.deleteItem);
  moveUpAction_->setEnabled(enables.moveUp);
  moveDownAction_->setEnabled(enables.moveDown);
}

void MainWindow::AddItem(Placement placement) {
  MenuNode* selected = treeView_->SelectedNode();
  const std::optional<std::size_t> entry = CurrentEntry();
  const ItemMenuEnables enables = ItemMenuRules(document_.tree(), selected, entry.has_value());
  const bool asChild = placement == Placement::FirstChild || placement == Placement::LastChild;
  if (!(asChild ? enables.addSubitem : enables.addItem)) return;

  const ItemTable& items = document_.catalog().availableItems();
  const bool custom = items.IsCustomItem(*entry);
  MenuNode* added = nullptr;
  document_.Edit(kAddItemStep, [&](MenuTree& tree) {
    added = AddEntry(tree, *selected, placement, items.at(*entry), custom);
  });
  if (added == nullptr) {
    prompts_->Show({TooManyEntriesText(), kWarningCaption, MessageIcon::Warning});
    return;
  }
  treeView_->expand(model_->IndexFor(selected));
  if (custom) {
    treeView_->SelectNode(added);
    ModifyItem();
  }
}

void MainWindow::ReplaceItem() {
  MenuNode* selected = treeView_->SelectedNode();
  const std::optional<std::size_t> entry = CurrentEntry();
  if (!ItemMenuRules(document_.tree(), selected, entry.has_value()).replace) return;
  const ItemTable& items = document_.catalog().availableItems();
  document_.Edit(kReplaceItemStep, [&](MenuTree& tree) {
    ReplaceEntry(tree, *selected, items.at(*entry), items.IsCustomItem(*entry));
  });
  if (items.IsCustomItem(*entry)) ModifyItem();
}

void MainWindow::ModifyItem() {
  MenuNode* selected = treeView_->SelectedNode();
  if (!TreeMenuRules(document_.tree(), selected).modifyItem) return;
  EditorWindowPrompts prompts(*prompts_);
  document_.Edit(kModifyItemStep, [&](MenuTree& tree) {
    ItemEditorDialog::Edit(this, tree, *selected, editorContext_, document_.options().saveAllData,
                           &prompts);
  });
}

void MainWindow::DeleteItem() {
  MenuNode* selected = treeView_->SelectedNode();
  if (!TreeMenuRules(document_.tree(), selected).deleteItem) return;
  if (!prompts_->Ask({kDeleteQuestion, kWarningCaption, MessageIcon::Warning})) return;
  document_.Edit(kDeleteItemStep, [&](MenuTree& tree) { DeleteEntry(tree, *selected); });
  // The tree moved its current node to a neighbour; show that one as selected too.
  treeView_->SelectNode(treeView_->SelectedNode());
}

void MainWindow::MoveItemUp() {
  MenuNode* selected = treeView_->SelectedNode();
  if (TreeMenuRules(document_.tree(), selected).moveUp)
    document_.Edit(kMoveItemStep, [&](MenuTree& tree) { MoveUp(tree, *selected); });
}

void MainWindow::MoveItemDown() {
  MenuNode* selected = treeView_->SelectedNode();
  if (TreeMenuRules(document_.tree(), selected).moveDown)
    document_.Edit(kMoveItemStep, [&](MenuTree& tree) { MoveDown(tree, *selected); });
}

void MainWindow::DropNode(MenuNode* dragged, MenuNode* target) {
  document_.Edit(kMoveItemStep, [&](MenuTree& tree) { MoveBefore(tree, *dragged, *target); });
  treeView_->CollapseAutoExpanded(dragged);
}

void MainWindow::DropEntry(std::size_t position, MenuNode* target) {
  const ItemTable& items = document_.catalog().availableItems();
  MenuNode* added = nullptr;
  if (position < items.count()) {
    document_.Edit(kAddItemStep, [&](MenuTree& tree) {
      added = AddEntry(tree, *target, Placement::Before, items.at(position),
                       items.IsCustomItem(position));
    });
    if (added == nullptr)
      prompts_->Show({TooManyEntriesText(), kWarningCaption, MessageIcon::Warning});
    else
      treeView_->SelectNode(added);
  }
  treeView_->CollapseAutoExpanded(added);
  if (added != nullptr && items.IsCustomItem(position)) ModifyItem();
}

void MainWindow::DoubleClickNode(const QModelIndex& index) {
  if (TreeMenuRules(document_.tree(), model_->NodeFrom(index)).modifyItem)
    ModifyItem();
  else
    treeView_->setExpanded(index, !treeView_->isExpanded(index));
}

void MainWindow::RefreshSummary() {
  const MenuNode* selected = treeView_->SelectedNode();
  if (selected == nullptr) return;
  const auto lines = ItemSummary(document_.tree(), *selected);
  if (!lines) {
    summary_->hide();
    return;
  }
  QStringList shown;
  for (const std::string& line : *lines) shown << ShownText(line);
  summary_->setPlainText(shown.join(QLatin1Char('\n')));
  summary_->show();
}

}  // namespace menuforge

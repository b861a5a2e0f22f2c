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
#include "app/tree_menus.h"
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

}  // namespace

void MainWindow::CreateContextMenus() {
  treeMenus_ = new TreeMenus(*this, *treeView_);
  connect(treeMenus_, &TreeMenus::AddRequested, this, &MainWindow::AddItem);
  connect(treeMenus_, &TreeMenus::ReplaceRequested, this, &MainWindow::ReplaceItem);
  connect(treeMenus_, &TreeMenus::ModifyRequested, this, &MainWindow::ModifyItem);
  connect(treeMenus_, &TreeMenus::DeleteRequested, this, &MainWindow::DeleteItem);
  connect(treeMenus_, &TreeMenus::MoveUpRequested, this, &MainWindow::MoveItemUp);
  connect(treeMenus_, &TreeMenus::MoveDownRequested, this, &MainWindow::MoveItemDown);
  connect(treeMenus_->itemMenu(), &QMenu::aboutToShow, this, &MainWindow::UpdateItemMenu);
  connect(treeMenus_->treeMenu(), &QMenu::aboutToShow, this, &MainWindow::UpdateTreeMenu);
  treeView_->setExpandsOnDoubleClick(false);
}

std::optional<std::size_t> MainWindow::CurrentEntry() const {
  const int index = itemList_->currentIndex();
  if (index < 0 ||
      static_cast<std::size_t>(index) >= session_.document().catalog().availableItems().count())
    return std::nullopt;
  return static_cast<std::size_t>(index);
}

void MainWindow::ChooseItemListEntry() {
  if (treeView_->SelectedNode() == nullptr) return;
  const int lineHeight = itemList_->fontMetrics().height();
  treeMenus_->itemMenu()->popup(
      itemList_->mapToGlobal(QPoint(itemList_->width() / 2, kItemMenuDrop + lineHeight)));
}

void MainWindow::UpdateItemMenu() {
  const ItemMenuEnables enables = ItemMenuRules(
      session_.document().tree(), treeView_->SelectedNode(), CurrentEntry().has_value());
  treeMenus_->ShowItemMenu(enables);
}

void MainWindow::UpdateTreeMenu() {
  const TreeMenuEnables enables =
      TreeMenuRules(session_.document().tree(), treeView_->SelectedNode());
  treeMenus_->ShowTreeMenu(enables);
}

void MainWindow::AddItem(Placement placement) {
  MenuNode* selected = treeView_->SelectedNode();
  const std::optional<std::size_t> entry = CurrentEntry();
  const ItemMenuEnables enables =
      ItemMenuRules(session_.document().tree(), selected, entry.has_value());
  const bool asChild = placement == Placement::FirstChild || placement == Placement::LastChild;
  if (!(asChild ? enables.addSubitem : enables.addItem)) return;

  const ItemTable& items = session_.document().catalog().availableItems();
  const bool custom = items.IsCustomItem(*entry);
  MenuNode* added = nullptr;
  session_.document().Edit(kAddItemStep, [&](MenuTree& tree) {
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
  if (!ItemMenuRules(session_.document().tree(), selected, entry.has_value()).replace) return;
  const ItemTable& items = session_.document().catalog().availableItems();
  session_.document().Edit(kReplaceItemStep, [&](MenuTree& tree) {
    ReplaceEntry(tree, *selected, items.at(*entry), items.IsCustomItem(*entry));
  });
  if (items.IsCustomItem(*entry)) ModifyItem();
}

void MainWindow::ModifyItem() {
  MenuNode* selected = treeView_->SelectedNode();
  if (!TreeMenuRules(session_.document().tree(), selected).modifyItem) return;
  EditorWindowPrompts prompts(*prompts_);
  session_.document().Edit(kModifyItemStep, [&](MenuTree& tree) {
    ItemEditorDialog::Edit(this, tree, *selected, editorContext_,
                           session_.document().options().saveAllData, &prompts);
  });
}

void MainWindow::DeleteItem() {
  MenuNode* selected = treeView_->SelectedNode();
  if (!TreeMenuRules(session_.document().tree(), selected).deleteItem) return;
  if (!prompts_->Ask({kDeleteQuestion, kWarningCaption, MessageIcon::Warning})) return;
  session_.document().Edit(kDeleteItemStep, [&](MenuTree& tree) { DeleteEntry(tree, *selected); });
  // The tree moved its current node to a neighbour; show that one as selected too.
  treeView_->SelectNode(treeView_->SelectedNode());
}

void MainWindow::MoveItemUp() {
  MenuNode* selected = treeView_->SelectedNode();
  if (TreeMenuRules(session_.document().tree(), selected).moveUp)
    session_.document().Edit(kMoveItemStep, [&](MenuTree& tree) { MoveUp(tree, *selected); });
}

void MainWindow::MoveItemDown() {
  MenuNode* selected = treeView_->SelectedNode();
  if (TreeMenuRules(session_.document().tree(), selected).moveDown)
    session_.document().Edit(kMoveItemStep, [&](MenuTree& tree) { MoveDown(tree, *selected); });
}

void MainWindow::DropNode(MenuNode* dragged, MenuNode* target) {
  session_.document().Edit(kMoveItemStep,
                           [&](MenuTree& tree) { MoveBefore(tree, *dragged, *target); });
  treeView_->CollapseAutoExpanded(dragged);
}

void MainWindow::DropEntry(std::size_t position, MenuNode* target) {
  const ItemTable& items = session_.document().catalog().availableItems();
  MenuNode* added = nullptr;
  if (position < items.count()) {
    session_.document().Edit(kAddItemStep, [&](MenuTree& tree) {
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
  if (TreeMenuRules(session_.document().tree(), model_->NodeFrom(index)).modifyItem)
    ModifyItem();
  else
    treeView_->setExpanded(index, !treeView_->isExpanded(index));
}

void MainWindow::RefreshSummary() {
  const MenuNode* selected = treeView_->SelectedNode();
  if (selected == nullptr) return;
  const auto lines = ItemSummary(session_.document().tree(), *selected);
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

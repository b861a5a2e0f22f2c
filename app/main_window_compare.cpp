// "Compare with...": what changes if the open menu is replaced by another file or a phone
// backup, listed in a side panel whose lines lead to the entries in the tree. The other menu is
// only read: nothing of it reaches the working folder or the item base.
#include <QDockWidget>
#include <QMenu>

#include "app/compare_panel.h"
#include "app/main_window.h"
#include "app/menu_tree_view.h"
#include "menu/mma_loader.h"
#include "menu/tree_edit.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kCompareCaption[] = "Compare &with...";
constexpr char kCompareBackupCaption[] = "Compare with phone &backup...";
constexpr char kCompareDialogTitle[] = "Compare with mma file";
constexpr char kCompareFilter[] = "All Files (*)";
constexpr char kComparisonTitle[] = "Changes if replaced by ";

}  // namespace

void MainWindow::CreateComparison() {
  comparePanel_ = new ComparePanel;
  compareDock_ = new QDockWidget(this);
  compareDock_->setObjectName(QStringLiteral("compareDock"));
  compareDock_->setWidget(comparePanel_);
  addDockWidget(Qt::RightDockWidgetArea, compareDock_);
  compareDock_->hide();
  connect(comparePanel_, &ComparePanel::EntryChosen, this,
          [this](const std::vector<std::size_t>& path) {
            if (const MenuNode* node = NodeAtPath(document_.tree(), path))
              treeView_->SelectNode(node);
          });

  auto* compare = new QAction(ShownText(kCompareCaption), this);
  compare->setObjectName(QStringLiteral("compareAction"));
  connect(compare, &QAction::triggered, this, &MainWindow::CompareWith);
  auto* compareBackup = new QAction(ShownText(kCompareBackupCaption), this);
  compareBackup->setObjectName(QStringLiteral("compareBackupAction"));
  connect(compareBackup, &QAction::triggered, this, &MainWindow::CompareWithBackup);
  auto* file = findChild<QMenu*>(QStringLiteral("fileMenu"));
  file->insertActions(saveAction_, {compare, compareBackup});
  // Only an open menu can be compared.
  connect(file, &QMenu::aboutToShow, this, [this, compare, compareBackup] {
    compare->setEnabled(document_.HasMenu());
    compareBackup->setEnabled(document_.HasMenu());
  });
}

void MainWindow::CompareWith() {
  if (!document_.HasMenu()) return;
  const std::string folder = DialogFolder();
  if (const auto path =
          prompts_->OpenFileName({kCompareDialogTitle, kCompareFilter, folder.c_str()}))
    CompareWithFile(*path);
}

void MainWindow::CompareWithBackup() {
  if (!document_.HasMenu()) return;
  if (const auto backup = ChoosePhoneBackup(kCompareDialogTitle)) CompareWithFile(*backup);
}

void MainWindow::CompareWithFile(const std::filesystem::path& path) {
  const Result<Bytes> bytes = ReadMenuFileBytes(path);
  if (!bytes) {
    prompts_->Show({bytes.error().text, kErrorCaption, MessageIcon::Error});
    return;
  }
  // Read as "Default" against the whole item base, as the command line compares; the items it
  // lacks keep their identifiers and are not added to the base.
  MenuTree other;
  FormatOptions options;
  FormatState state;
  const LoadResult load =
      ParseMenuFile(*bytes, {document_.catalog().itemBase(), true}, other, options, state);
  if (!load) {
    prompts_->Show({load.error().text, kErrorCaption, MessageIcon::Error});
    return;
  }
  ShowWarnings(load->warnings);
  comparePanel_->ShowComparison(
      CompareMenus({document_.tree(), document_.options()}, {other, options}),
      ComparePanel::ShownMenu::First);
  compareDock_->setWindowTitle(ShownText(kComparisonTitle) + ShownText(path.filename().string()));
  compareDock_->show();
  compareDock_->raise();
}

}  // namespace menuforge

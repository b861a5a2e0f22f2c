// "Compare with": what changes if the open menu is replaced by another file, the phone's menu or
// a phone backup, listed in a side panel whose lines lead to the entries in the tree and which
// follows the open menu's changes. The other menu is only read: nothing of it reaches the
// working folder or the item base.
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QMenu>

#include "app/compare_panel.h"
#include "app/core/window_texts.h"
#include "app/main_window.h"
#include "app/menu_tree_view.h"
#include "menu/tree_edit.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kCompareMenuCaption[] = "Compare &with";
constexpr char kCompareFileCaption[] = "&File...";
constexpr char kComparePhoneCaption[] = "&Phone";
constexpr char kCompareBackupCaption[] = "Phone &backup...";
constexpr char kCompareDialogTitle[] = "Compare with mma file";
constexpr char kCompareFilter[] = "All Files (*)";
constexpr char kComparisonTitle[] = "Changes if replaced by ";
constexpr char kPhoneMenuTitle[] = "the phone's menu";
constexpr char kPhoneHoldsNoMenuText[] = "The phone holds no menu file to compare with.";

}  // namespace

void MainWindow::CreateComparison() {
  comparePanel_ = new ComparePanel;
  compareDock_ = new QDockWidget(this);
  compareDock_->setObjectName(QStringLiteral("compareDock"));
  compareDock_->setWidget(comparePanel_);
  addDockWidget(Qt::RightDockWidgetArea, compareDock_);
  compareDock_->hide();
  compareLink_ = std::make_unique<ComparisonDocumentLink>(document_, *comparePanel_);
  connect(comparePanel_, &ComparePanel::EntryChosen, this,
          [this](const std::vector<std::size_t>& path) {
            if (const MenuNode* node = NodeAtPath(document_.tree(), path))
              treeView_->SelectNode(node);
          });
  connect(comparePanel_, &ComparePanel::EntryNotShown, this,
          [this] { treeView_->selectionModel()->clear(); });

  auto* compareMenu = new QMenu(ShownText(kCompareMenuCaption), this);
  compareMenu->setObjectName(QStringLiteral("compareMenu"));
  QAction* compare = compareMenu->addAction(ShownText(kCompareFileCaption));
  compare->setObjectName(QStringLiteral("compareAction"));
  connect(compare, &QAction::triggered, this, &MainWindow::CompareWith);
  QAction* comparePhone = compareMenu->addAction(ShownText(kComparePhoneCaption));
  comparePhone->setObjectName(QStringLiteral("comparePhoneAction"));
  connect(comparePhone, &QAction::triggered, this, &MainWindow::CompareWithPhone);
  QAction* compareBackup = compareMenu->addAction(ShownText(kCompareBackupCaption));
  compareBackup->setObjectName(QStringLiteral("compareBackupAction"));
  connect(compareBackup, &QAction::triggered, this, &MainWindow::CompareWithBackup);
  auto* file = findChild<QMenu*>(QStringLiteral("fileMenu"));
  file->insertMenu(saveAction_, compareMenu);
  // Only an open menu can be compared, and with the phone only while one is there and idle.
  connect(file, &QMenu::aboutToShow, this, [this, compareMenu, comparePhone] {
    compareMenu->setEnabled(document_.HasMenu());
    comparePhone->setEnabled(document_.HasMenu() && phone_.session.connected() && phoneIdle_);
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
  if (const auto backup = ChoosePhoneBackup(kCompareWithBackupTitle)) CompareWithFile(*backup);
}

void MainWindow::CompareWithPhone() {
  if (!document_.HasMenu() || !phone_.session.connected() || !phoneIdle_) return;
  SetPhoneBusy(true);
  // As the command line's "phone:", the menu file the phone holds now, not one read before.
  const Result<std::optional<Bytes>> read = phoneSafety_.PhoneMenuFile(true);
  SetPhoneBusy(false);
  if (!read)
    prompts_->Show(read.error());
  else if (!*read)
    prompts_->Show({kPhoneHoldsNoMenuText, kErrorCaption, MessageIcon::Error});
  else
    ShowComparisonWith(LoadOtherMenu(**read, document_.catalog().itemBase()), kPhoneMenuTitle,
                       true);
  CloseIfAskedMeanwhile();
}

void MainWindow::CompareWithFile(const std::filesystem::path& path) {
  ShowComparisonWith(LoadOtherMenuFile(path, document_.catalog().itemBase()),
                     path.filename().string(), false);
}

void MainWindow::ShowComparisonWith(Result<LoadedOtherMenu> load, const std::string& name,
                                    bool fromPhone) {
  if (!load) {
    prompts_->Show(load.error());
    return;
  }
  ShowWarnings(load->warnings);
  compareLink_->Start(std::move(load->menu), fromPhone);
  compareDock_->setWindowTitle(ShownText(kComparisonTitle) + ShownText(name));
  compareDock_->show();
  compareDock_->raise();
}

}  // namespace menuforge

// The commands of the menu bar and the tool bar, and the controls bound to the format options.
#include "app/main_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "app/about_dialog.h"
#include "app/core/help_file.h"
#include "app/core/profile_selector.h"
#include "app/core/status_text.h"
#include "app/item_list_box.h"
#include "app/menu_tree_view.h"
#include "app/settings_dialog.h"
#include "base/user_messages.h"
#include "catalog/menu_opening.h"
#include "document/profile_mismatch.h"
#include "menu/mma_saver.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kOpenDialogTitle[] = "Open mma file";
constexpr char kSaveDialogTitle[] = "Save mma as...";
constexpr char kMenuFileFilter[] = "All Files (*)";
// The name "Save as..." proposes for a menu that has no file yet.
constexpr char kProposedMenuName[] = "mma_ucp";

}  // namespace

void MainWindow::NewMenu() {
  if (!MaySetMenuAside()) return;
  session_.document().New();
  treeView_->SelectNode(session_.document().tree().menuRoot());
}

void MainWindow::OpenMenu() {
  if (!MaySetMenuAside()) return;
  const std::string folder = session_.DialogFolder();
  if (const auto path = prompts_->OpenFileName({kOpenDialogTitle, kMenuFileFilter, folder.c_str()}))
    OpenFile(*path);
}

void MainWindow::OpenFile(const std::filesystem::path& path) {
  if (ShowOpened(session_.document().Open(path))) RememberRecentFile(path);
}

bool MainWindow::ShowOpened(const OpenResult& result) {
  for (const Message& notice : result.notices) prompts_->Show(notice);
  if (!result.loaded()) {
    prompts_->Show(result.status.error());
    return false;
  }
  ShowWarnings(result.warnings);
  treeView_->expand(model_->IndexFor(session_.document().tree().menuRoot()));
  return true;
}

bool MainWindow::SaveMenu() {
  if (session_.document().current().file().empty()) return SaveMenuAs();
  return SaveMenuTo(session_.document().current().file());
}

bool MainWindow::SaveMenuAs() {
  const std::string proposed =
      (session_.document().current().file().empty()
           ? std::filesystem::path(session_.DialogFolder()) / kProposedMenuName
           : session_.document().current().file())
          .string();
  const auto path = prompts_->SaveFileName({kSaveDialogTitle, kMenuFileFilter, proposed.c_str()});
  return path && SaveMenuTo(*path);
}

bool MainWindow::SaveMenuTo(const std::filesystem::path& path) {
  const SaveResult result = session_.document().Save(path);
  if (!result) {
    prompts_->Show(result.error());
    return false;
  }
  RememberRecentFile(path);
  return true;
}

void MainWindow::ShowSetup() {
  // Read-only, the settings changed serve this run alone.
  SettingsDialog dialog(
      session_.settings(),
      session_.readOnly() ? std::filesystem::path() : session_.workingFolder() / kSettingsFileName,
      session_.phone().session.connected() && session_.phoneIdle(), this);
  connect(&dialog, &SettingsDialog::backupRequested, this, &MainWindow::BackUpSeemRecord);
  connect(&dialog, &SettingsDialog::restoreRequested, this, &MainWindow::RestoreSeemRecord);
  connect(this, &MainWindow::PhoneConnectionChanged, &dialog, &SettingsDialog::SetPhoneConnected);
  prompts_->ShowModal(dialog);
}

void MainWindow::ShowAbout() { prompts_->ShowModal(*about_); }

void MainWindow::ShowHelp() {
  const std::optional<std::filesystem::path> help =
      FindHelpFile(LocalPath(QCoreApplication::applicationDirPath()));
  if (!help || !prompts_->OpenDocument(*help))
    prompts_->Show({HelpMissingText(), kHelpCaption, MessageIcon::Information});
}

void MainWindow::ChooseProfile(int index) {
  const ProfilePick pick = ProfilePickAt(session_.document().catalog(), index);
  // A missing profile falls back to "Default" and says so; the controls show either outcome.
  switch (pick.kind) {
    case ProfilePick::Kind::Nothing: return;
    case ProfilePick::Kind::CreateNew: CreateProfile(); return;
    case ProfilePick::Kind::Default:
      session_.document().ApplyProfile(
          [](Catalog& catalog, FormatOptions& options) { catalog.ApplyDefault(options); });
      break;
    case ProfilePick::Kind::Profile:
      session_.document().ApplyProfile([&](Catalog& catalog, FormatOptions& options) {
        static_cast<void>(catalog.ApplyProfile(pick.name, options, *prompts_));
      });
      break;
  }
  ShowProfileExclusions();
}

void MainWindow::ShowCatalogState() {
  ShowAvailableItems();
  ShowProfileSelection();
}

void MainWindow::ShowProfileExclusions(const std::string& notice) {
  std::string said = notice;
  const std::string excluded =
      ProfileExclusionStatusText(session_.document().ItemsOutsideProfile());
  if (!said.empty() && !excluded.empty()) said += "  ";
  said += excluded;
  // What an earlier profile excluded no longer holds; other notices stay.
  if (said.empty()) {
    if (statusBar()->currentMessage().startsWith(ShownText(kProfileExclusionPrefix)))
      statusBar()->clearMessage();
  } else {
    statusBar()->showMessage(ShownText(said), kStatusNoticeTime);
  }
}

void MainWindow::ShowAvailableItems() {
  const std::vector<ItemBaseEntry>& entries =
      session_.document().catalog().availableItems().entries();
  // Refilling drops the list's current entry, so an unchanged table stays as it is.
  if (entries == shownItems_) return;
  shownItems_ = entries;
  itemList_->clear();
  for (const ItemBaseEntry& entry : entries) itemList_->addItem(ShownText(entry.displayName));
  itemList_->setCurrentIndex(-1);
}

void MainWindow::ShowProfileSelection() {
  profileSelector_->setCurrentIndex(ProfileSelectorIndex(session_.document().catalog()));
}

void MainWindow::HideSummary() {
  summary_->clear();
  summary_->hide();
}

}  // namespace menuforge

// The commands of the menu bar and the tool bar, and the controls bound to the format options.
#include "app/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
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
  document_.New();
  treeView_->SelectNode(document_.tree().menuRoot());
}

void MainWindow::OpenMenu() {
  if (!MaySetMenuAside()) return;
  const std::string folder = DialogFolder();
  if (const auto path = prompts_->OpenFileName({kOpenDialogTitle, kMenuFileFilter, folder.c_str()}))
    OpenFile(*path);
}

void MainWindow::OpenFile(const std::filesystem::path& path) {
  if (ShowOpened(document_.Open(path))) RememberRecentFile(path);
}

bool MainWindow::ShowOpened(const OpenResult& result) {
  for (const Message& notice : result.notices) prompts_->Show(notice);
  if (!result.loaded()) {
    prompts_->Show(result.status.error());
    return false;
  }
  ShowWarnings(result.warnings);
  treeView_->expand(model_->IndexFor(document_.tree().menuRoot()));
  return true;
}

bool MainWindow::SaveMenu() {
  if (document_.current().file().empty()) return SaveMenuAs();
  return SaveMenuTo(document_.current().file());
}

bool MainWindow::SaveMenuAs() {
  const std::string proposed = (document_.current().file().empty()
                                    ? std::filesystem::path(DialogFolder()) / kProposedMenuName
                                    : document_.current().file())
                                   .string();
  const auto path = prompts_->SaveFileName({kSaveDialogTitle, kMenuFileFilter, proposed.c_str()});
  return path && SaveMenuTo(*path);
}

bool MainWindow::SaveMenuTo(const std::filesystem::path& path) {
  const SaveResult result = document_.Save(path);
  if (!result) {
    prompts_->Show(result.error());
    return false;
  }
  RememberRecentFile(path);
  return true;
}

void MainWindow::ShowSetup() {
  // Read-only, the settings changed serve this run alone.
  SettingsDialog dialog(settings_,
                        readOnly_ ? std::filesystem::path() : workingFolder_ / kSettingsFileName,
                        phone_.session.connected() && phoneIdle_, this);
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
  const ProfilePick pick = ProfilePickAt(document_.catalog(), index);
  // A missing profile falls back to "Default" and says so; the controls show either outcome.
  switch (pick.kind) {
    case ProfilePick::Kind::Nothing: return;
    case ProfilePick::Kind::CreateNew: CreateProfile(); return;
    case ProfilePick::Kind::Default:
      document_.ApplyProfile(
          [](Catalog& catalog, FormatOptions& options) { catalog.ApplyDefault(options); });
      break;
    case ProfilePick::Kind::Profile:
      document_.ApplyProfile([&](Catalog& catalog, FormatOptions& options) {
        static_cast<void>(catalog.ApplyProfile(pick.name, options, *prompts_));
      });
      break;
  }
  ShowProfileExclusions();
}

void MainWindow::ChangeOptions(const std::function<void(FormatOptions&)>& change) {
  FormatOptions options = document_.options();
  change(options);
  document_.SetOptions(options);
}

void MainWindow::ShowCatalogState() {
  ShowAvailableItems();
  ShowProfileSelection();
  ShowFormatOptions();
}

void MainWindow::ShowProfileExclusions(const std::string& notice) {
  std::string said = notice;
  const std::string excluded = ProfileExclusionStatusText(document_.ItemsOutsideProfile());
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

void MainWindow::ShowFormatOptions() {
  // Checking one radio button of a group clears the other.
  (document_.options().saveMode == RecordSize::k22 ? saveMode22_ : saveMode36_)->setChecked(true);
  saveAllData_->setChecked(document_.options().saveAllData);
  c698pFix_->setChecked(document_.options().c698pFix);
  c698pFix_->setEnabled(document_.options().c698pEnabled);
  (document_.options().iconAttribute == IconAttribute::Tag06 ? iconAttribute06_ : iconAttribute0C_)
      ->setChecked(true);
  iconAttributeGroup_->setEnabled(document_.options().iconAttributeEnabled);
}

void MainWindow::ShowAvailableItems() {
  const std::vector<ItemBaseEntry>& entries = document_.catalog().availableItems().entries();
  // Refilling drops the list's current entry, so an unchanged table stays as it is.
  if (entries == shownItems_) return;
  shownItems_ = entries;
  itemList_->clear();
  for (const ItemBaseEntry& entry : entries) itemList_->addItem(ShownText(entry.displayName));
  itemList_->setCurrentIndex(-1);
}

void MainWindow::ShowProfileSelection() {
  profileSelector_->setCurrentIndex(ProfileSelectorIndex(document_.catalog()));
}

void MainWindow::HideSummary() {
  summary_->clear();
  summary_->hide();
}

}  // namespace menuforge

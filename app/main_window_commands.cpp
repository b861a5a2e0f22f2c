// The commands of the menu bar and the tool bar, and the controls bound to the format options.
#include "app/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/about_dialog.h"
#include "app/item_list_box.h"
#include "app/menu_tree_view.h"
#include "app/settings_dialog.h"
#include "catalog/menu_opening.h"
#include "menu/mma_saver.h"
#include "menu/user_messages.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr FileDialogText kOpenDialog{"Open mma file", "All Files (*)"};
constexpr FileDialogText kSaveDialog{"Save mma as...", "All Files (*)"};

}  // namespace

void MainWindow::NewMenu() {
  EmptyTree(tree_);
  HideSummary();
  BuildSkeleton(tree_);
  treeView_->SelectNode(tree_.menuRoot());
  saveAction_->setEnabled(true);
  saveToPhoneAction_->setEnabled(phone_.session.connected());
  itemList_->setEnabled(true);
}

void MainWindow::OpenMenu() {
  if (const auto path = prompts_->OpenFileName(kOpenDialog)) OpenFile(*path);
}

void MainWindow::OpenFile(const std::filesystem::path& path) {
  if (!LoadMenu(path)) return;
  saveAction_->setEnabled(true);
  saveToPhoneAction_->setEnabled(phone_.session.connected());
  itemList_->setEnabled(true);
}

bool MainWindow::LoadMenu(const std::filesystem::path& path) {
  HideSummary();
  const OpenResult result = OpenMenuFile(path, tree_, catalog_, options_, formatState_, *prompts_);
  ShowCatalogState();
  RefreshStatus();
  if (!result.loaded) {
    prompts_->Show({result.error, kErrorCaption, MessageIcon::Error});
    return false;
  }
  ShowWarnings(result.warnings);
  treeView_->expand(model_->IndexFor(tree_.menuRoot()));
  return true;
}

void MainWindow::SaveMenu() {
  const auto path = prompts_->SaveFileName(kSaveDialog);
  if (!path) return;
  const SaveResult result = SaveMenuFile(*path, tree_, options_, catalog_.availableItems());
  if (result.status != SaveStatus::Saved) prompts_->Show(result.message);
}

void MainWindow::ShowSetup() {
  SettingsDialog dialog(settings_, workingFolder_ / kSettingsFileName,
                        phone_.session.connected() && phoneIdle_, this);
  connect(&dialog, &SettingsDialog::backupRequested, this, &MainWindow::BackUpSeemRecord);
  connect(&dialog, &SettingsDialog::restoreRequested, this, &MainWindow::RestoreSeemRecord);
  prompts_->ShowModal(dialog);
}

void MainWindow::ShowAbout() { prompts_->ShowModal(*about_); }

void MainWindow::ChooseProfile(int index) {
  const std::vector<std::string> entries = catalog_.SelectorEntries();
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
  if (static_cast<std::size_t>(index) + 1 == entries.size()) {
    CreateProfile();
    return;
  }
  catalog_.SetSelectorIndex(index);
  // A missing profile falls back to "Default" and says so; the controls show either outcome.
  if (catalog_.SelectorShowsDefault())
    catalog_.ApplyDefault(options_);
  else
    static_cast<void>(
        catalog_.ApplyProfile(entries[static_cast<std::size_t>(index)], options_, *prompts_));
  ShowCatalogState();
}

void MainWindow::ChooseSaveMode(RecordSize recordSize) {
  options_.SelectSaveMode(recordSize);
  ShowFormatOptions();
}

void MainWindow::ShowCatalogState() {
  ShowAvailableItems();
  ShowProfileSelection();
  ShowFormatOptions();
}

void MainWindow::ShowFormatOptions() {
  // Checking one radio button of a group clears the other.
  (options_.saveMode == RecordSize::k22 ? saveMode22_ : saveMode36_)->setChecked(true);
  saveAllData_->setChecked(options_.saveAllData);
  c698pFix_->setChecked(options_.c698pFix);
  c698pFix_->setEnabled(options_.c698pEnabled);
  (options_.iconAttribute == IconAttribute::Tag06 ? iconAttribute06_ : iconAttribute0C_)
      ->setChecked(true);
  iconAttributeGroup_->setEnabled(options_.iconAttributeEnabled);
}

void MainWindow::ShowAvailableItems() {
  const std::vector<ItemBaseEntry>& entries = catalog_.availableItems().entries();
  // Refilling drops the list's current entry, so an unchanged table stays as it is.
  if (entries == shownItems_) return;
  shownItems_ = entries;
  itemList_->clear();
  for (const ItemBaseEntry& entry : entries) itemList_->addItem(ShownText(entry.displayName));
  itemList_->setCurrentIndex(-1);
}

void MainWindow::ShowProfileSelection() {
  profileSelector_->setCurrentIndex(catalog_.selectorIndex());
}

void MainWindow::HideSummary() {
  summary_->clear();
  summary_->hide();
}

}  // namespace menuforge

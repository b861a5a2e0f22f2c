// The commands of the menu bar and the tool bar, and the controls bound to the format options.
#include "app/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QUndoStack>

#include "app/about_dialog.h"
#include "app/core/help_file.h"
#include "app/item_list_box.h"
#include "app/menu_tree_view.h"
#include "app/settings_dialog.h"
#include "base/user_messages.h"
#include "catalog/menu_opening.h"
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
  EmptyTree(tree_);
  HideSummary();
  BuildSkeleton(tree_);
  StartMenu(CurrentMenu(CurrentMenu::Source::New));
  treeView_->SelectNode(tree_.menuRoot());
  saveAction_->setEnabled(true);
  saveAsAction_->setEnabled(true);
  saveToPhoneAction_->setEnabled(phone_.session.connected());
  itemList_->setEnabled(true);
}

void MainWindow::OpenMenu() {
  if (!MaySetMenuAside()) return;
  const std::string folder = DialogFolder();
  if (const auto path = prompts_->OpenFileName({kOpenDialogTitle, kMenuFileFilter, folder.c_str()}))
    OpenFile(*path);
}

void MainWindow::OpenFile(const std::filesystem::path& path) {
  if (!LoadMenu(path)) return;
  StartMenu(CurrentMenu(CurrentMenu::Source::File, path));
  RememberRecentFile(path);
  saveAction_->setEnabled(true);
  saveAsAction_->setEnabled(true);
  saveToPhoneAction_->setEnabled(phone_.session.connected());
  itemList_->setEnabled(true);
}

bool MainWindow::LoadMenu(const std::filesystem::path& path) {
  // Loaded aside and swapped in only once it loaded, so that a file that cannot be opened leaves
  // the window, its catalogue and its format controls as they were.
  MenuTree loaded;
  loaded.customItemCounter = tree_.customItemCounter;
  Catalog catalog = catalog_;
  FormatOptions options = options_;
  FormatState state = formatState_;
  const OpenResult result = OpenMenuFile(path, loaded, catalog, options, state, *prompts_);
  if (!result.loaded) {
    prompts_->Show({result.error, kErrorCaption, MessageIcon::Error});
    return false;
  }
  catalog_ = std::move(catalog);
  options_ = options;
  formatState_ = state;
  HideSummary();
  tree_.TakeContentOf(loaded);
  ShowCatalogState();
  RefreshStatus();
  ShowWarnings(result.warnings);
  treeView_->expand(model_->IndexFor(tree_.menuRoot()));
  return true;
}

bool MainWindow::SaveMenu() {
  if (current_.file().empty()) return SaveMenuAs();
  return SaveMenuTo(current_.file());
}

bool MainWindow::SaveMenuAs() {
  const std::string proposed =
      (current_.file().empty() ? std::filesystem::path(DialogFolder()) / kProposedMenuName
                               : current_.file())
          .string();
  const auto path = prompts_->SaveFileName({kSaveDialogTitle, kMenuFileFilter, proposed.c_str()});
  return path && SaveMenuTo(*path);
}

bool MainWindow::SaveMenuTo(const std::filesystem::path& path) {
  const SaveResult result = SaveMenuFile(path, tree_, options_, catalog_.availableItems());
  if (result.status != SaveStatus::Saved) {
    prompts_->Show(result.message);
    return false;
  }
  current_ = CurrentMenu(CurrentMenu::Source::File, path);
  RememberRecentFile(path);
  undoStack_->setClean();
  ShowTitle();
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

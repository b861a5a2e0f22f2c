// The program's window: the menu tree, the format options, the item list and the commands that
// create, open and save menu files, locally and on the phone.
#pragma once

#include "menu/tree_operations.h"

#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/comparison_document_link.h"
#include "app/core/other_menu.h"
#include "app/core/profile_notices.h"
#include "app/core/window_fade.h"
#include "app/editor_window_prompts.h"
#include "app/phone_picture_picker.h"
#include "app/preview_document_link.h"
#include "catalog/catalog.h"
#include "document/menu_document.h"
#include "editor/core/drm_picker_rules.h"
#include "editor/dialog_drm_icon_picker.h"
#include "editor/editor_context.h"
#include "menu/format_options.h"
#include "menu/record_size.h"
#include "phone/p2k_library.h"
#include "phone/phone_link.h"
#include "phone/phone_menu_safety.h"
#include "widgets/progress_adapters.h"
#include "widgets/window_prompts.h"
#include "workspace/recent_files.h"
#include "workspace/settings.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDockWidget;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QTemporaryDir;
class QModelIndex;

namespace menuforge {

class AboutDialog;
class ComparePanel;
class PhonePreviewDock;
class PreviewPhoneIcons;
class ItemListBox;
class MenuTreeModel;
class MenuTreeView;
class SplashWindow;
class StatusTrayIcon;

class MainWindow : public QMainWindow, private PhoneObserver, private DocumentObserver {
  Q_OBJECT

 public:
  // Starts up in the current directory. Without `prompts` the user is asked through real message
  // boxes and file dialogs; without `phoneLibrary` the phone is looked for on the simulator's
  // usual socket.
  // `readOnly`: another program holds the folder, so nothing is written into it; the working
  // copies of the phone's files go to a private temporary folder instead.
  explicit MainWindow(std::unique_ptr<WindowPrompts> prompts = nullptr,
                      std::unique_ptr<P2kLibrary> phoneLibrary = nullptr, QWidget* parent = nullptr,
                      bool readOnly = false);

  // What Open does once its dialog has named the file; the menu on screen is replaced without a
  // question.
  void OpenFile(const std::filesystem::path& path);

  const MenuTree& tree() const { return document_.tree(); }

 public Q_SLOTS:
  // One step of the fade timer.
  void FadeTimerTick();
  // Lets the phone library tell of a phone that came or went; the poll timer calls it.
  void PollPhone();

 Q_SIGNALS:
  void FadeInFinished();
  // A phone came or went; an open settings window follows it.
  void PhoneConnectionChanged(bool connected);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateCentralArea();
  void CreateStatusBar();
  void CreateContextMenus();
  void ConnectControls();
  void SizeAndCentre();
  void StartUp();
  void ShutDown();

  void NewMenu();
  void OpenMenu();
  // To the current file, else as "Save as..."; false when nothing was saved.
  bool SaveMenu();
  bool SaveMenuAs();
  [[nodiscard]] bool SaveMenuTo(const std::filesystem::path& path);
  // Asks whether to save a modified menu first; false when the user cancels or the save fails.
  [[nodiscard]] bool MaySetMenuAside();
  // Each view of the window follows what the document says changed.
  void DocumentChanged(DocumentChange change) override;
  // Qt deletes the window's children after its members: from then on nothing they say may reach
  // the window.
  void DocumentGone() override;
  void ShowTitle();
  void OpenRecentFile(const std::filesystem::path& path);
  void RememberRecentFile(const std::filesystem::path& path);
  void ShowRecentFiles();
  // Into the settings file, unless the folder is only read.
  void StoreRecentFiles();
  // The folder the open and save dialogs start in.
  std::string DialogFolder() const;
  void RememberWindowSize();
  void ShowSetup();
  void ShowAbout();
  // F1: the README in the desktop's viewer.
  void ShowHelp();
  void ChooseProfile(int index);
  // "Create new...": the selector shows the new profile, or what it showed before.
  void CreateProfile();
  // One step of the document, shown by the controls once it tells of it.
  void ChangeOptions(const std::function<void(FormatOptions&)>& change);
  void ToggleSeeThrough();
  void ShowItemBaseRead(const Result<ItemBaseWarnings>& loaded);
  // Says why a menu could not be opened, or what was damaged in the one that was; false when
  // nothing was loaded.
  [[nodiscard]] bool ShowOpened(const OpenResult& result);
  // The item list, the profile selector and the format controls, after the catalogue changed.
  void ShowCatalogState();
  // In the status bar: `notice`, then the items of the menu the profile in use does not know.
  void ShowProfileExclusions(const std::string& notice = {});

  void PhoneConnected() override;
  void PhoneDisconnected() override;
  void ShowConnection(bool connected);
  // While busy the phone commands are off, and a close waits.
  void SetPhoneBusy(bool busy);
  void ShowCommandStates();
  void OpenFromPhone();
  void SaveToPhone();
  void RestartPhone();
  void RestorePhoneBackup();
  // The safety copies listed with their phone and date, or another file chosen in a dialog with
  // that title; nothing when cancelled.
  std::optional<std::filesystem::path> ChoosePhoneBackup(const char* fileDialogTitle);
  void BackUpSeemRecord();
  void RestoreSeemRecord();
  // A close asked for while the phone was busy is carried out once it is idle again.
  void CloseIfAskedMeanwhile();
  void ShowWarnings(const std::vector<std::string>& warnings);

  void ShowFormatOptions();
  void ShowAvailableItems();
  void ShowProfileSelection();
  // Refills the selector when the listed profiles changed.
  void ShowProfileEntries();
  void RefreshStatus();
  void RefreshSummary();
  void HideSummary();

  std::optional<std::size_t> CurrentEntry() const;
  void ChooseItemListEntry();
  void UpdateItemMenu();
  void UpdateTreeMenu();
  void AddItem(Placement placement);
  void ReplaceItem();
  void ModifyItem();
  void DeleteItem();
  void MoveItemUp();
  void MoveItemDown();
  void DropNode(MenuNode* dragged, MenuNode* target);
  void DropEntry(std::size_t position, MenuNode* target);
  void DoubleClickNode(const QModelIndex& index);

  void CreateUndoActions();
  // The Undo and Redo actions name the steps they would take.
  void ShowHistory();
  // After an undo or redo.
  void ShowEditedNode(MenuNode* node);

  // View > Phone preview, and File > Compare with... (main_window_preview/compare.cpp).
  void CreatePreview();
  void ShowCurrentInPreview();
  void CreateComparison();
  void CompareWith();
  void CompareWithBackup();
  void CompareWithFile(const std::filesystem::path& path);
  void CompareWithPhone();
  void ShowComparisonWith(Result<LoadedOtherMenu> load, const std::string& name, bool fromPhone);
  // "Show changes" of the questions before unsaved changes are set aside, before a backup is
  // restored and before Save to phone (main_window_changes.cpp).
  void ShowUnsavedChanges();
  [[nodiscard]] bool ConfirmRestore(const Message& question, const std::filesystem::path& backup);
  void ShowRestoreChanges(const std::filesystem::path& backup);
  // False when the user declined the changes, or they could not be shown (which was said).
  [[nodiscard]] bool ConfirmPhoneChanges();

  std::unique_ptr<WindowPrompts> prompts_;
  ProfileNotices profileNotices_{*prompts_};
  std::filesystem::path workingFolder_;
  bool readOnly_;
  std::unique_ptr<QTemporaryDir> privateFiles_;
  // Where the working copies of the phone's files go: the working folder, or the private one.
  std::filesystem::path filesFolder_;
  MenuDocument document_;
  Settings settings_;
  WindowFade fade_;
  QTimer* fadeTimer_;
  QTimer* phonePollTimer_;
  ProgressWindowFactory progressWindows_;
  std::unique_ptr<P2kLibrary> phoneLibrary_;
  PhoneLink phone_;
  PhoneMenuSafety phoneSafety_;
  // Clear while a transfer runs; the progress windows let the user act meanwhile.
  bool phoneIdle_ = true;
  bool closeWhenPhoneIdle_ = false;
  bool seeThrough_ = true;
  RecentFiles recentFiles_;
  std::filesystem::path lastFolder_;
  std::vector<ItemBaseEntry> shownItems_;
  // Read from the connected phone after an Open from phone.
  InstalledMidlets phoneMidlets_;
  EditorContext editorContext_;
  // The DRM binary chosen for the item editor's icons stays for the whole run.
  EditorWindowPrompts drmPrompts_{*prompts_};
  DialogDrmIconPicker drmIcons_{
      drmPrompts_, [this] {
        return prompts_->OpenFileName({kSelectDrmBinaryTitle, kDrmBinaryFilter});
      }};
  // The browser's list mode, mask and pictures stay for the whole run too.
  DialogPhonePicturePicker phonePictures_{phone_, *prompts_};

  SplashWindow* splash_ = nullptr;
  StatusTrayIcon* tray_ = nullptr;
  AboutDialog* about_ = nullptr;
  MenuTreeModel* model_ = nullptr;
  MenuTreeView* treeView_ = nullptr;
  PhonePreviewDock* previewDock_ = nullptr;
  std::unique_ptr<PreviewDocumentLink> previewLink_;
  PreviewPhoneIcons* previewIcons_ = nullptr;
  QDockWidget* compareDock_ = nullptr;
  ComparePanel* comparePanel_ = nullptr;
  std::unique_ptr<ComparisonDocumentLink> compareLink_;

  QAction* newAction_ = nullptr;
  QAction* openAction_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QAction* restoreBackupAction_ = nullptr;
  QAction* openFromPhoneAction_ = nullptr;
  QAction* saveToPhoneAction_ = nullptr;
  QAction* restartPhoneAction_ = nullptr;
  QAction* exitAction_ = nullptr;
  QAction* setupAction_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* helpAction_ = nullptr;

  QComboBox* profileSelector_ = nullptr;
  QRadioButton* saveMode22_ = nullptr;
  QRadioButton* saveMode36_ = nullptr;
  QCheckBox* saveAllData_ = nullptr;
  QCheckBox* c698pFix_ = nullptr;
  QGroupBox* iconAttributeGroup_ = nullptr;
  QRadioButton* iconAttribute06_ = nullptr;
  QRadioButton* iconAttribute0C_ = nullptr;
  QLabel* availableItemsLabel_ = nullptr;
  ItemListBox* itemList_ = nullptr;
  QPlainTextEdit* summary_ = nullptr;
  QLabel* formatPanel_ = nullptr;
  QLabel* imeiPanel_ = nullptr;
  QLabel* phonePanel_ = nullptr;
  QFrame* connectionLamp_ = nullptr;

  QMenu* itemMenu_ = nullptr;
  QMenu* addSubitemMenu_ = nullptr;
  QMenu* addItemMenu_ = nullptr;
  QAction* replaceAction_ = nullptr;
  QMenu* treeMenu_ = nullptr;
  QAction* modifyItemAction_ = nullptr;
  QAction* deleteItemAction_ = nullptr;
  QAction* moveUpAction_ = nullptr;
  QAction* moveDownAction_ = nullptr;
};

}  // namespace menuforge

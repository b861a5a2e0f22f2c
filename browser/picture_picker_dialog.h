// "Picture Picker": the phone's folders and files, the file operations of their context menus,
// and the path of the file chosen, which the item editor takes for an icon.
#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QTimer>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "browser/browser_prompts.h"
#include "browser/core/browser_run_state.h"
#include "browser/core/phone_browser.h"
#include "browser/core/picture_previews.h"
#include "phone/phone_link.h"
#include "widgets/progress_adapters.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLineEdit;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace menuforge {

class PicturePickerDialog : public QDialog {
  Q_OBJECT

 public:
  // Builds the tree from the phone file list as it stands; `state` and `previews` live for
  // the run, `prompts` asks the user for what the operations need.
  PicturePickerDialog(QWidget* parent, PhoneLink& link, BrowserRunState& state,
                      PicturePreviews& previews, BrowserPrompts& prompts);
  // A preview fetch under way ends with the window: the phone is not left mid-command.
  ~PicturePickerDialog() override;

  // OK gives `PickedPath` the text of "Icon path/name:"; every other way out empties it.
  void done(int result) override;

  PhoneBrowser& browser() { return browser_; }

 private:
  QWidget* BuildFolderTree();
  QWidget* BuildFileList();
  QLayout* BuildPathFields();
  QLayout* BuildButtons();
  void BuildContextMenus();

  // Shows what the browser holds: the tree, the rows, the fields and the menus.
  void ShowAll();
  void ShowTree();
  void ShowRows();
  void ShowFields();
  void ChooseTreeItem(QTreeWidgetItem* item);
  void ChooseRows();

  void UpdateFileList();
  void ChooseListMode(QAction* action);
  void ShowListMode();
  void UploadFiles();
  void DownloadFiles();
  void DeleteFiles();
  void SetFileAttributes();
  void CreateFolder();
  void DeleteFolder();
  // Runs a phone operation with the previews held back, then shows its outcome.
  void WithPhone(const std::function<void()>& operation);

  // Fetches the missing previews of the visible rows, one block per turn of the event loop.
  void SchedulePreviews();
  void FetchNextPreview();
  std::optional<std::string> NextMissingPreview() const;
  void ShowPreview(const std::string& phonePath);
  QIcon PreviewOf(const std::string& phonePath);

  PhoneLink& link_;
  BrowserRunState& state_;
  PicturePreviews& previews_;
  BrowserPrompts& prompts_;
  PhoneBrowser browser_;
  ProgressWindowFactory listWindows_;
  ProgressWindowFactory transferWindows_;
  bool busy_ = false;
  // The folders open in the tree, by path, kept while it is filled again.
  std::set<std::string> expanded_;
  QHash<QString, QIcon> shownPreviews_;
  QTimer previewTimer_;

  QTreeWidget* folderTree_ = nullptr;
  QTreeWidget* fileList_ = nullptr;
  QLineEdit* iconPath_ = nullptr;
  QCheckBox* usePath_ = nullptr;
  QLineEdit* usePathField_ = nullptr;
  QMenu* modeMenu_ = nullptr;
  QActionGroup* modes_ = nullptr;
  QAction* byMaskAction_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* downloadAction_ = nullptr;
  QAction* deleteAction_ = nullptr;
  QMenu* folderMenu_ = nullptr;
};

}  // namespace menuforge

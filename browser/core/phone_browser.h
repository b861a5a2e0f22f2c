// The phone file browser without its window: the folder tree built from the phone file list,
// the selected folder's files, the path fields, the window's result, and the six file
// operations, each keeping the phone file list and the tree in step with what it changed on
// the phone. The window shows what this holds and asks the user what the operations need.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/user_messages.h"
#include "browser/core/browser_run_state.h"
#include "browser/core/folder_tree.h"
#include "browser/core/picture_previews.h"
#include "phone/phone_link.h"

namespace menuforge {

inline constexpr char kTargetNotSpecifiedText[] = "Target directory not specified";
inline constexpr char kConfirmationCaption[] = "Confirmation";
inline constexpr char kDeleteQuestionPrefix[] = "Delete ";
inline constexpr char kDeleteFolderQuestion[] =
    "All files in folder will be deleted\r\n  Continue?";
inline constexpr char kNotAnIconPathPrefix[] = "Cannot be used as an icon path: ";

// One row of the file list: "File", "File Size", "Attr".
struct FileRow {
  std::string name;
  std::uint32_t size = 0;  // of the phone file list's entry, 0 when it has none
  std::uint16_t attributes = 0;
};

// The answers of the "Confirmation" dialog asked while several rows are selected.
enum class DeleteAnswer { Yes, Cancel, YesToAll, Skip };

class DeleteRequest {
 public:
  virtual ~DeleteRequest() = default;
  virtual DeleteAnswer Ask(const std::string& question) = 0;
};

// The "Set file attributes" check boxes.
struct AttributeChoice {
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
  bool operator==(const AttributeChoice&) const = default;
};

// Shows a two-bar window owned by the browser, for as long as the sink lives.
using GroupWindowMaker = std::function<std::unique_ptr<GroupProgressSink>()>;

// How many files the operations on the selected rows act on.
enum class SelectedFiles { None, One, Several };

class PhoneBrowser {
 public:
  // The window opens: the tree is built from the phone file list, no folder is selected, the
  // use-path flag is clear and deletes are confirmed.
  PhoneBrowser(PhoneLink& link, BrowserRunState& state, PicturePreviews& previews,
               UserDialogs& dialogs);

  // Uploads and single downloads show their progress in `windows` (a window's own, which may
  // offer Cancel) instead of the link's.
  void SetTransferWindows(ProgressWindows& windows) {
    ownTransfer_.emplace(link_.session, windows);
  }

  // A folder other than the root is selected, as all operations but Upload need.
  bool folderSelected() const { return selected_ != nullptr && !selected_->isRoot(); }
  const FolderTree& tree() const { return tree_; }
  FolderNode* selectedNode() const { return selected_; }
  const std::vector<FileRow>& rows() const { return rows_; }
  const std::vector<std::size_t>& selectedRows() const { return selectedRows_; }
  // "Icon path/name:"
  const std::string& iconPath() const { return iconPath_; }
  bool usePath() const { return usePath_; }
  const std::u16string& usePathText() const { return usePathText_; }
  std::string PhonePathOf(const FileRow& row) const;
  // Why the item editor would refuse the row's path as an icon path ("Cannot be used as an
  // icon path: Invalid character in file name"), or nothing when it takes it.
  std::optional<std::string> IconPathRefusal(const FileRow& row) const;

  // "Update file list": fetches as the list mode says and builds the tree again.
  void Update(ProgressWindows& browserWindows);
  // Lists the node's files; the root (or nothing) lists none.
  void SelectNode(const FolderNode* node);
  // The selected rows, in any order; the first in list order names the file in "Icon
  // path/name:". Out-of-range rows are ignored.
  void SelectRows(std::vector<std::size_t> rows);
  void SelectAllRows();
  // "Use path": when set, its field shows the current folder path; when cleared it is emptied.
  void SetUsePath(bool on);
  void SetUsePathText(std::u16string text) { usePathText_ = std::move(text); }
  // OK and Cancel: the window's result. OK refuses, with the reason, a path the item editor
  // would refuse, and then leaves the result as it was.
  std::optional<Message> Accept();
  void Cancel();

  // "Upload to this folder" with the files chosen in the open dialog.
  void Upload(const std::vector<std::filesystem::path>& files, const GroupWindowMaker& groupWindow);
  // None without a folder or a selected row. "Download selected" saves one file with a save
  // dialog and several into a folder chosen.
  SelectedFiles selectedFiles() const;
  void DownloadOne(const std::filesystem::path& local);
  void DownloadSeveral(const std::filesystem::path& folder, const GroupWindowMaker& groupWindow);
  // "Delete selected"; `request` asks while several rows are selected.
  void DeleteSelected(DeleteRequest& request);
  // What "Set file attributes" shows: the file's mask with one row selected, none with several.
  AttributeChoice ShownAttributes() const;
  void SetAttributes(const AttributeChoice& choice);
  // "Create folder" with the name typed; the new folder is selected.
  void CreateFolder(std::u16string_view name);
  // "Delete folder": its files first, after one question, then the folder.
  void DeleteFolder(DeleteRequest& request);

 private:
  void ListSelected();
  // A file written to the phone: its entry and its place in the tree.
  void RecordUpload(const std::string& phonePath, std::uint32_t size);
  // A file deleted on the phone: out of the node and "Icon path/name:".
  void RecordDeletion(const std::string& phonePath, const std::string& name);
  void ShowError(const char* prefix, std::string_view phonePath);
  FsacTransfer& Transfer() { return ownTransfer_ ? *ownTransfer_ : link_.transfer; }

  PhoneLink& link_;
  BrowserRunState& state_;
  PicturePreviews& previews_;
  UserDialogs& dialogs_;
  std::optional<FsacTransfer> ownTransfer_;
  FolderTree tree_;
  FolderNode* selected_ = nullptr;
  std::vector<FileRow> rows_;
  std::vector<std::size_t> selectedRows_;
  std::string iconPath_;
  // The selected folder's path followed by "/"; empty before one was selected.
  std::string currentFolderPath_;
  bool usePath_ = false;
  std::u16string usePathText_;
  bool confirmDeletes_ = true;
};

}  // namespace menuforge

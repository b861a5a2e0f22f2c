// The file operations of the "Picture Picker"'s context menus: the window asks the user, the
// browser does the work.
#include "browser/delete_request_dialog.h"
#include "browser/file_attributes_dialog.h"
#include "browser/picture_picker_dialog.h"
#include "phone/phone_text.h"

namespace menuforge {
namespace {

constexpr char kFileFilter[] = "GIF files|*.gif|All files|*.*";
constexpr char kUploadTitle[] = "Select file";
constexpr char kSaveTitle[] = "Save file as";
constexpr char kFolderTitle[] = "Select folder to download selected files";
constexpr char kNewFolderTitle[] = "New folder";
constexpr char kNewFolderPrompt[] = "Type in new folder name";

}  // namespace

void PicturePickerDialog::UploadFiles() {
  if (busy_) return;
  const std::vector<std::filesystem::path> files =
      prompts_.OpenFileNames({kUploadTitle, kFileFilter});
  WithPhone([&] {
    browser_.Upload(files, [this] {
      return std::make_unique<GroupProgressWindow>(this, CancelButton::Offered);
    });
  });
}

void PicturePickerDialog::DownloadFiles() {
  if (busy_) return;
  switch (browser_.selectedFiles()) {
    case SelectedFiles::None: return;
    case SelectedFiles::One: {
      const FileRow& row = browser_.rows()[browser_.selectedRows().front()];
      const std::string proposed = LocalNameOfPhone(row.name).string();
      if (const auto local = prompts_.SaveFileName({kSaveTitle, kFileFilter, proposed.c_str()}))
        WithPhone([&] { browser_.DownloadOne(*local); });
      return;
    }
    case SelectedFiles::Several:
      if (const auto folder = prompts_.ChooseFolder(kFolderTitle, state_.lastDownloadFolder))
        WithPhone([&] {
          browser_.DownloadSeveral(*folder, [this] {
            return std::make_unique<GroupProgressWindow>(this, CancelButton::Offered);
          });
        });
      return;
  }
}

void PicturePickerDialog::DeleteFiles() {
  DialogDeleteRequest request(this, prompts_);
  WithPhone([&] { browser_.DeleteSelected(request); });
}

void PicturePickerDialog::SetFileAttributes() {
  if (busy_ || browser_.selectedFiles() == SelectedFiles::None) return;
  FileAttributesDialog dialog(this, browser_.ShownAttributes());
  if (!prompts_.RunModal(dialog)) return;
  WithPhone([&] { browser_.SetAttributes(dialog.choice()); });
}

void PicturePickerDialog::CreateFolder() {
  if (busy_ || !browser_.folderSelected()) return;
  if (const std::optional<std::u16string> name =
          prompts_.InputText(kNewFolderTitle, kNewFolderPrompt))
    WithPhone([&] { browser_.CreateFolder(*name); });
}

void PicturePickerDialog::DeleteFolder() {
  DialogDeleteRequest request(this, prompts_);
  WithPhone([&] { browser_.DeleteFolder(request); });
}

}  // namespace menuforge

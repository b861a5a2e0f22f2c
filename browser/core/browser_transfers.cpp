// Upload and Download of the phone file browser.
#include <optional>

#include "base/local_file.h"
#include "browser/core/phone_browser.h"
#include "phone/file_operation_messages.h"
#include "phone/phone_text.h"

namespace menuforge {
namespace {

constexpr char kDownloadingTitle[] = "Downloading ";

std::uint32_t SizeSum(const std::vector<std::filesystem::path>& files) {
  std::uint64_t total = 0;
  for (const auto& file : files) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error) total += size;
  }
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(total, UINT32_MAX));
}

}  // namespace

void PhoneBrowser::Upload(const std::vector<std::filesystem::path>& files,
                          const GroupWindowMaker& groupWindow) {
  if (files.empty() || selected_ == nullptr) return;
  if (usePath_ ? usePathText_.empty() : selected_->isRoot()) {
    dialogs_.Show({kTargetNotSpecifiedText, kErrorCaption, MessageIcon::Error});
    return;
  }
  std::optional<std::string> target = usePath_ ? PhoneText(usePathText_) : FolderPath(*selected_);
  if (!target) return dialogs_.Show(NotEightBitMessage(WideToUtf8(usePathText_)));
  if (!target->ends_with('/')) *target += '/';
  // Every name is checked before the first file goes, so that a refusal sends nothing.
  std::vector<std::string> phonePaths;
  for (const auto& file : files) {
    const std::optional<std::string> name = PhoneNameOfLocal(file);
    if (!name) return dialogs_.Show(NotEightBitMessage(file.filename().string()));
    phonePaths.push_back(*target + *name);
  }

  std::unique_ptr<GroupProgressSink> window;
  std::optional<GroupProgress> group;
  for (std::size_t i = 0; i < files.size(); ++i) {
    TransferResult result;
    if (files.size() == 1) {
      result = Transfer().P2KFileWrite(files[i], phonePaths[i]);
    } else {
      if (!window) {
        window = groupWindow();
        group.emplace(*window);
        group->total = SizeSum(files);
      }
      result = Transfer().P2KGroupWrite(files[i], phonePaths[i], *group);
    }
    // Stopped by the user: this file and the rest are not sent, and the phone keeps its old one.
    if (result.cancelled) break;
    if (!result.localError.empty()) {
      dialogs_.Show(result.LocalErrorMessage());
      break;
    }
    if (!result.complete) {
      ShowError(kFileWriteFailedPrefix, phonePaths[i]);
      break;
    }
    RecordUpload(phonePaths[i], static_cast<std::uint32_t>(result.bytes));
  }
  // The folder is shown again as when it is chosen: no file picked, the typed path its own.
  SelectNode(selected_);
}

SelectedFiles PhoneBrowser::selectedFiles() const {
  if (!folderSelected() || selectedRows_.empty()) return SelectedFiles::None;
  return selectedRows_.size() == 1 ? SelectedFiles::One : SelectedFiles::Several;
}

void PhoneBrowser::DownloadOne(const std::filesystem::path& local) {
  if (selectedFiles() == SelectedFiles::None) return;
  const FileRow& row = rows_[selectedRows_.front()];
  const std::string phonePath = PhonePathOf(row);
  // The download is written aside and takes the file's name only once it is whole.
  const TransferResult result = Transfer().P2KFileRead(
      phonePath, local, row.size, kDownloadingTitle + PhoneFileName(phonePath));
  if (!result.localError.empty())
    dialogs_.Show(result.LocalErrorMessage());
  else if (!result.complete && !result.cancelled)
    ShowError(kFileReadFailedPrefix, phonePath);
}

void PhoneBrowser::DownloadSeveral(const std::filesystem::path& folder,
                                   const GroupWindowMaker& groupWindow) {
  if (selectedFiles() == SelectedFiles::None) return;
  std::uint64_t total = 0;
  for (const std::size_t row : selectedRows_)
    if (const FileListEntry* entry = link_.session.ListedFile(PhonePathOf(rows_[row])))
      total += entry->size();
  std::unique_ptr<GroupProgressSink> window = groupWindow();
  GroupProgress group(*window);
  group.total = static_cast<std::uint32_t>(std::min<std::uint64_t>(total, UINT32_MAX));
  for (const std::size_t row : selectedRows_) {
    const std::string phonePath = PhonePathOf(rows_[row]);
    const FileListEntry* entry = link_.session.ListedFile(phonePath);
    const std::uint32_t size = entry ? entry->size() : 0;
    const TransferResult result =
        Transfer().P2KGroupRead(phonePath, folder / LocalNameOfPhone(rows_[row].name), size, group);
    if (!result.complete) {
      window.reset();
      if (result.cancelled) return;
      if (!result.localError.empty())
        dialogs_.Show(result.LocalErrorMessage());
      else
        ShowError(kFileReadFailedPrefix, phonePath);
      return;
    }
  }
  state_.lastDownloadFolder = folder;
}

}  // namespace menuforge

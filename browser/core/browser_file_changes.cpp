// Delete, Set attribute, Create folder and Delete folder of the phone file browser.
#include <optional>

#include "browser/core/phone_browser.h"
#include "phone/phone_text.h"

namespace menuforge {
namespace {

constexpr std::uint16_t kChoiceBits = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;

std::uint16_t MaskOf(std::uint16_t kept, const AttributeChoice& choice) {
  std::uint16_t mask = kept & ~kChoiceBits;
  if (choice.readOnly) mask |= kAttributeReadOnly;
  if (choice.hidden) mask |= kAttributeHidden;
  if (choice.system) mask |= kAttributeSystem;
  return mask;
}

}  // namespace

void PhoneBrowser::DeleteSelected(DeleteRequest& request) {
  if (selectedFiles() == SelectedFiles::None) return;
  std::vector<std::string> names;
  for (const std::size_t row : selectedRows_) names.push_back(rows_[row].name);
  const bool several = names.size() > 1;
  bool askEach = true;
  for (const std::string& name : names) {
    if (confirmDeletes_ && askEach) {
      const std::string question = kDeleteQuestionPrefix + ShownPhonePath(name);
      const DeleteAnswer answer =
          several ? request.Ask(question)
                  : (dialogs_.Ask({question, kConfirmationCaption, MessageIcon::Question})
                         ? DeleteAnswer::Yes
                         : DeleteAnswer::Skip);
      if (answer == DeleteAnswer::Cancel) break;
      if (answer == DeleteAnswer::Skip) continue;
      if (answer == DeleteAnswer::YesToAll) askEach = false;
    }
    const std::string phonePath = FolderPath(*selected_) + "/" + name;
    if (const Status deleted = link_.session.DeleteFile(phonePath); !deleted) {
      dialogs_.Show(deleted.error());
      break;
    }
    RecordDeletion(phonePath, name);
  }
  ListSelected();
}

AttributeChoice PhoneBrowser::ShownAttributes() const {
  if (selectedFiles() != SelectedFiles::One) return {};
  const std::uint16_t mask = rows_[selectedRows_.front()].attributes;
  return {(mask & kAttributeReadOnly) != 0, (mask & kAttributeHidden) != 0,
          (mask & kAttributeSystem) != 0};
}

void PhoneBrowser::SetAttributes(const AttributeChoice& choice) {
  const SelectedFiles kind = selectedFiles();
  if (kind == SelectedFiles::None) return;
  const std::uint16_t kept =
      kind == SelectedFiles::One ? rows_[selectedRows_.front()].attributes : 0;
  const std::uint16_t mask = MaskOf(kept, choice);
  for (const std::size_t row : selectedRows_) {
    const std::string phonePath = PhonePathOf(rows_[row]);
    if (const Status set = link_.menuFiles.SetAttribute(phonePath, mask); !set) {
      dialogs_.Show(set.error());
      break;
    }
    link_.session.RecordAttributes(phonePath, mask);
    rows_[row].attributes = mask;
  }
}

void PhoneBrowser::CreateFolder(std::u16string_view name) {
  if (!folderSelected()) return;
  const std::optional<std::string> phoneName = PhoneText(name);
  if (!phoneName) return dialogs_.Show(NotEightBitMessage(WideToUtf8(name)));
  const std::string path = FolderPath(*selected_) + "/" + *phoneName;
  if (const Status created = link_.session.CreateFolder(path); !created) {
    dialogs_.Show(created.error());
    return;
  }
  if (FolderNode* folder = tree_.AddFolderPath(path)) SelectNode(folder);
}

void PhoneBrowser::DeleteFolder(DeleteRequest& request) {
  if (!folderSelected()) return;
  if (!rows_.empty()) {
    if (!dialogs_.Ask({kDeleteFolderQuestion, kWarningCaption, MessageIcon::Warning})) return;
    SelectAllRows();
    confirmDeletes_ = false;
    DeleteSelected(request);
    confirmDeletes_ = true;
    // A refused delete stopped at its file; the folder is not empty, so it stays.
    if (!rows_.empty()) return;
  }
  const std::string path = FolderPath(*selected_);
  if (const Status deleted = link_.session.DeleteFolder(path); !deleted) {
    dialogs_.Show(deleted.error());
    return;
  }
  FolderNode* parent = selected_->parent;
  tree_.Remove(*selected_);
  SelectNode(parent);
}

}  // namespace menuforge

#include "browser/core/phone_browser.h"

#include <algorithm>
#include <map>

#include "browser/core/natural_order.h"
#include "menu/icon_path_rule.h"
#include "phone/file_operation_messages.h"
#include "phone/phone_text.h"

namespace menuforge {
namespace {

std::u16string WideOf(std::string_view eightBit) {
  std::u16string wide;
  for (const char c : eightBit) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
  return wide;
}

std::optional<std::string> RefusalOf(std::string_view phonePath) {
  const std::optional<PhonePathFault> fault = CheckIconPathRule(WideOf(phonePath));
  if (!fault) return std::nullopt;
  return kNotAnIconPathPrefix + std::string(PhonePathFaultText(*fault));
}

}  // namespace

PhoneBrowser::PhoneBrowser(PhoneLink& link, BrowserRunState& state, PicturePreviews& previews,
                           UserDialogs& dialogs)
    : link_(link), state_(state), previews_(previews), dialogs_(dialogs) {
  tree_.Build(link_.session.fileList());
}

std::string PhoneBrowser::PhonePathOf(const FileRow& row) const {
  return selected_ ? FolderPath(*selected_) + "/" + row.name : row.name;
}

void PhoneBrowser::Update(ProgressWindows& browserWindows) {
  selected_ = nullptr;
  rows_.clear();
  selectedRows_.clear();
  FetchList(state_.listMode, state_.mask, link_.session, browserWindows, dialogs_);
  tree_.Build(link_.session.fileList());
}

void PhoneBrowser::SelectNode(const FolderNode* node) {
  selected_ = node ? tree_.Find(FolderPath(*node)) : nullptr;
  rows_.clear();
  selectedRows_.clear();
  iconPath_.clear();
  if (!folderSelected()) return;
  ListSelected();
  currentFolderPath_ = FolderPath(*selected_) + "/";
  if (usePath_) usePathText_ = WideOf(currentFolderPath_);
}

void PhoneBrowser::ListSelected() {
  std::vector<std::string> keep;
  for (const std::size_t row : selectedRows_) keep.push_back(rows_[row].name);
  rows_.clear();
  selectedRows_.clear();
  if (!folderSelected()) return;
  // One pass over the phone file list finds the entries of the folder's files.
  const std::string prefix = FolderPath(*selected_) + "/";
  std::map<std::string, const FileListEntry*, std::less<>> entries;
  for (const FileListEntry& entry : link_.session.fileList()) {
    const std::string path = entry.path();
    if (path.starts_with(prefix)) entries.emplace(path.substr(prefix.size()), &entry);
  }
  // The folder keeps its names in the order they came; the list shows them in natural order.
  std::vector<std::string> names = selected_->files;
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
  for (const std::string& name : names) {
    const auto found = entries.find(name);
    const FileListEntry* entry = found == entries.end() ? nullptr : found->second;
    if (std::find(keep.begin(), keep.end(), name) != keep.end())
      selectedRows_.push_back(rows_.size());
    rows_.push_back(
        {name, entry ? entry->size() : 0, entry ? entry->attributes() : std::uint16_t{0}});
  }
}

void PhoneBrowser::SelectRows(std::vector<std::size_t> rows) {
  std::erase_if(rows, [&](std::size_t row) { return row >= rows_.size(); });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  selectedRows_ = std::move(rows);
  if (!selectedRows_.empty()) iconPath_ = PhonePathOf(rows_[selectedRows_.front()]);
}

void PhoneBrowser::SelectAllRows() {
  std::vector<std::size_t> all(rows_.size());
  for (std::size_t row = 0; row < all.size(); ++row) all[row] = row;
  SelectRows(std::move(all));
}

void PhoneBrowser::SetUsePath(bool on) {
  usePath_ = on;
  usePathText_ = on ? WideOf(currentFolderPath_) : std::u16string();
}

std::optional<std::string> PhoneBrowser::IconPathRefusal(const FileRow& row) const {
  return RefusalOf(PhonePathOf(row));
}

std::optional<Message> PhoneBrowser::Accept() {
  if (const std::optional<std::string> refusal = RefusalOf(iconPath_))
    return Message{QuotedForMessage(ShownPhonePath(iconPath_)) + "\r\n" + *refusal +
                       "\r\nRename the file on the phone, or choose another",
                   kErrorCaption, MessageIcon::Warning};
  state_.pickedPath = WideOf(iconPath_);
  return std::nullopt;
}

void PhoneBrowser::Cancel() { state_.pickedPath.clear(); }

void PhoneBrowser::RecordUpload(const std::string& phonePath, std::uint32_t size) {
  previews_.Forget(phonePath);
  link_.session.RecordWrittenFile(phonePath, size);
  tree_.AddFilePath(phonePath);
}

void PhoneBrowser::RecordDeletion(const std::string& phonePath, const std::string& name) {
  previews_.Forget(phonePath);
  std::erase(selected_->files, name);
  if (iconPath_ == phonePath) iconPath_.clear();
}

void PhoneBrowser::ShowError(const char* prefix, std::string_view phonePath) {
  dialogs_.Show(PhoneFileFailure(link_.session.library(), prefix, phonePath));
}

}  // namespace menuforge

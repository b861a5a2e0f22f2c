// The session's list of the phone's files, filled by listings and kept up to date by the file
// operations the program makes itself, and the operations on single files and folders.
#include <algorithm>

#include "phone/file_operation_messages.h"
#include "phone/phone_session.h"

namespace menuforge {
namespace {

// The entry of `phonePath` in `list` (const or not), or null.
template <typename List>
auto* FindEntry(List& list, std::string_view phonePath) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const FileListEntry& entry) {
    return entry.path() == phonePath;
  });
  return found == list.end() ? nullptr : &*found;
}

constexpr char kFileSizePrefix[] = "[FileSize] ";

}  // namespace

std::optional<std::uint32_t> PhoneSession::FileSize(const std::string& phonePath) {
  const std::int32_t count = library_.File_CountEx(phonePath);
  log_.Write(kFileSizePrefix + std::string("FileCountEx  RC=") + std::to_string(count));
  if (count != 1) return std::nullopt;
  std::vector<FileListEntry> entries;
  const std::int32_t result = library_.File_ListEx(entries, 1, {});
  log_.Write(kFileSizePrefix + std::string("FileListEx  RC=") + std::to_string(result));
  if (result == kP2kFailure || entries.size() != 1 || entries.front().path() != phonePath ||
      entries.front().size() == 0)
    return std::nullopt;
  return entries.front().size();
}

void PhoneSession::ListFiles(const std::string& pattern, const std::string& logPrefix,
                             const std::string& title, ShownProgress& window) {
  const std::int32_t count = library_.File_CountEx(pattern);
  log_.Write(logPrefix + "FileCountEx  RC=" + std::to_string(count));
  const std::size_t room = kMostListedFiles - std::min(fileList_.size(), kMostListedFiles);
  const std::size_t wanted = std::min(static_cast<std::size_t>(std::max(count, 0)), room);
  if (wanted == 0) return;
  const std::size_t first = fileList_.size();
  window.SetPosition(0);
  window.SetCaption(title);
  const std::int32_t result = library_.File_ListEx(
      fileList_, wanted, [&](std::int32_t, std::int32_t done, std::int32_t total) {
        ShowListProgress(done, total, title, window);
      });
  log_.Write(logPrefix + "FileListEx  RC=" + std::to_string(result));
  if (result == kP2kFailure) {
    fileList_.resize(first);
    return;
  }
  // Entries the phone left unfilled name no file.
  const auto unfilled =
      std::remove_if(fileList_.begin() + static_cast<std::ptrdiff_t>(first), fileList_.end(),
                     [](const FileListEntry& entry) { return entry.path().empty(); });
  fileList_.erase(unfilled, fileList_.end());
}

FileListEntry* PhoneSession::ListedEntry(std::string_view phonePath) {
  return FindEntry(fileList_, phonePath);
}

const FileListEntry* PhoneSession::ListedFile(std::string_view phonePath) const {
  return FindEntry(fileList_, phonePath);
}

void PhoneSession::RecordWrittenFile(const std::string& phonePath, std::uint32_t size) {
  if (FileListEntry* entry = ListedEntry(phonePath))
    *entry = FileListEntry::Make(size, entry->attributes(), phonePath);
  else
    fileList_.push_back(FileListEntry::Make(size, 0, phonePath));
}

void PhoneSession::RecordDeletedFile(std::string_view phonePath) {
  if (const FileListEntry* entry = ListedEntry(phonePath))
    fileList_.erase(fileList_.begin() + (entry - fileList_.data()));
}

Status PhoneSession::DeleteFile(const std::string& phonePath) {
  if (library_.File_Delete(phonePath) == kP2kFailure)
    return Failure(PhoneFileFailure(library_, kFileDeleteFailedPrefix, phonePath));
  RecordDeletedFile(phonePath);
  return {};
}

Status PhoneSession::CreateFolder(const std::string& phonePath) {
  if (library_.File_CreateDir(phonePath, 0) == kP2kFailure)
    return Failure(PhoneFileFailure(library_, kFolderCreateFailedPrefix, phonePath));
  return {};
}

Status PhoneSession::DeleteFolder(const std::string& phonePath) {
  if (library_.File_DeleteDir(phonePath) == kP2kFailure)
    return Failure(PhoneFileFailure(library_, kFileDeleteFailedPrefix, phonePath));
  return {};
}

void PhoneSession::RecordAttributes(std::string_view phonePath, std::uint16_t attributes) {
  if (FileListEntry* entry = ListedEntry(phonePath)) entry->SetAttributes(attributes);
}

}  // namespace menuforge

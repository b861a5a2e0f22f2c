#include "app/core/app_session.h"

#include <optional>
#include <system_error>
#include <utility>

#include "workspace/working_files.h"

namespace menuforge {

bool WriteMenuCopyToPhone(PhoneMenuSafety& safety, const PhoneMenuCopy& copy) {
  return safety.WritePhoneMenuFiles(copy.file);
}

AppSession::AppSession(SessionFolders folders, P2kLibrary& library, Asker& asker,
                       ProgressWindows& windows, PhoneObserver& phoneObserver,
                       std::filesystem::path backupFolder)
    : folders_(std::move(folders)),
      asker_(asker),
      document_(folders_.workingFolder),
      lastFolder_(folders_.workingFolder),
      phone_(library, settings_, asker, windows, phoneObserver, folders_.filesFolder),
      phoneSafety_(phone_, asker, std::move(backupFolder)) {
  if (folders_.readOnly) document_.catalog().SetReadOnly();
}

std::filesystem::path AppSession::settingsFile() const {
  return folders_.workingFolder / kSettingsFileName;
}

void AppSession::ReadSettingsFile() {
  settings_ = ReadSettings(settingsFile());
  recentFiles_ = ReadRecentFiles(settingsFile());
  lastFolder_ = recentFiles_.paths().empty() ? folders_.workingFolder
                                             : recentFiles_.paths().front().parent_path();
}

void AppSession::RememberRecentFile(const std::filesystem::path& path) {
  std::error_code error;
  lastFolder_ = std::filesystem::absolute(path, error).parent_path();
  recentFiles_.Add(path);
  StoreRecentFiles();
}

Message AppSession::ForgetMissingRecentFile(const std::filesystem::path& path) {
  recentFiles_.Remove(path);
  StoreRecentFiles();
  return {MissingRecentFileText(path), kWarningCaption, MessageIcon::Warning};
}

void AppSession::StoreRecentFiles() {
  // The list is a convenience: a settings file that cannot be written costs it, nothing more.
  if (!folders_.readOnly) static_cast<void>(WriteRecentFiles(settingsFile(), recentFiles_));
}

bool AppSession::MaySetMenuAside(const std::function<void()>& showChanges,
                                 const std::function<bool()>& save) {
  if (!document_.modified()) return true;
  const Message question = document_.current().SaveChangesQuestion();
  std::optional<SaveChoice> choice;
  while (!(choice = asker_.AskToSaveOrShowChanges(question))) showChanges();
  switch (*choice) {
    case SaveChoice::Save: return save();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
  }
  return false;
}

Result<PhoneMenuCopy> AppSession::CopyMenuForPhone() {
  PhoneMenuCopy copy{folders_.filesFolder / kMenuWorkFile, document_.position()};
  const SaveResult saved = document_.SaveCopy(copy.file);
  // Only a file written whole goes to the phone; an older copy must not take its place.
  if (!saved) return Failure(saved.error());
  return copy;
}

bool AppSession::MayCloseNow() {
  if (!phoneIdle_) closeWhenPhoneIdle_ = true;
  return phoneIdle_;
}

bool AppSession::TakeCloseAskedMeanwhile() { return std::exchange(closeWhenPhoneIdle_, false); }

}  // namespace menuforge

// What the program holds while it runs, apart from any window: the menu document, the settings,
// the recent files, the link to a phone and whether a phone command is under way. Messages that
// end an operation come back as results; questions in its middle go to the one asker it is given.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "base/asker.h"
#include "base/result.h"
#include "document/menu_document.h"
#include "phone/p2k_library.h"
#include "phone/phone_link.h"
#include "phone/phone_menu_safety.h"
#include "phone/transfer_progress.h"
#include "workspace/recent_files.h"
#include "workspace/settings.h"

namespace menuforge {

// Where the session keeps its files. `filesFolder` takes the working copies of the phone's
// files; in a read-only folder it lies elsewhere and nothing is written into `workingFolder`.
// The menu as it stood when Save to phone began, written to the working copy that goes to the
// phone, and the step of the history it holds.
struct PhoneMenuCopy {
  std::filesystem::path file;
  DocumentHistory::Position position;
};

// Writes `copy` to the phone once a safety copy of the menu there is kept; asks and reports
// through the safety's own dialogs and progress windows, and touches no document, so that it may
// run away from the window. True when the menu went to the phone.
[[nodiscard]] bool WriteMenuCopyToPhone(PhoneMenuSafety& safety, const PhoneMenuCopy& copy);

struct SessionFolders {
  std::filesystem::path workingFolder;
  std::filesystem::path filesFolder;
  bool readOnly = false;
};

class AppSession {
 public:
  AppSession(SessionFolders folders, P2kLibrary& library, Asker& asker, ProgressWindows& windows,
             PhoneObserver& phoneObserver, std::filesystem::path backupFolder);

  MenuDocument& document() { return document_; }
  const MenuDocument& document() const { return document_; }
  Settings& settings() { return settings_; }
  PhoneLink& phone() { return phone_; }
  const PhoneLink& phone() const { return phone_; }
  PhoneMenuSafety& phoneSafety() { return phoneSafety_; }
  bool readOnly() const { return folders_.readOnly; }
  const std::filesystem::path& workingFolder() const { return folders_.workingFolder; }
  const std::filesystem::path& filesFolder() const { return folders_.filesFolder; }
  std::filesystem::path settingsFile() const;

  // The settings and the recent files as the settings file holds them.
  void ReadSettingsFile();
  const RecentFiles& recentFiles() const { return recentFiles_; }
  // Listed first, kept in the settings file, and its folder is where the dialogs start next.
  void RememberRecentFile(const std::filesystem::path& path);
  // The file is not there: it comes off the list, and the warning says so.
  [[nodiscard]] Message ForgetMissingRecentFile(const std::filesystem::path& path);
  // The folder the open and save dialogs start in.
  std::string DialogFolder() const { return lastFolder_.string(); }

  // A modified menu is set aside only once the user said so, or saved it through `save` (false
  // when nothing was saved); "Show changes" calls `showChanges` and asks again.
  [[nodiscard]] bool MaySetMenuAside(const std::function<void()>& showChanges,
                                     const std::function<bool()>& save);

  // The first half of Save to phone; fails with the saver's message, and then nothing goes to
  // the phone.
  [[nodiscard]] Result<PhoneMenuCopy> CopyMenuForPhone();
  // The last half: the document takes the copy as what was last written.
  void MenuCopyWritten(const PhoneMenuCopy& copy) { document_.WrittenToPhone(copy.position); }

  // While a phone command runs, the other phone commands wait, and so does a close.
  bool phoneIdle() const { return phoneIdle_; }
  void SetPhoneBusy(bool busy) { phoneIdle_ = !busy; }
  // False while busy: the close is remembered for when the phone is idle again.
  [[nodiscard]] bool MayCloseNow();
  // True once, after a close was asked for while busy.
  [[nodiscard]] bool TakeCloseAskedMeanwhile();

 private:
  void StoreRecentFiles();

  SessionFolders folders_;
  Asker& asker_;
  MenuDocument document_;
  Settings settings_;
  RecentFiles recentFiles_;
  std::filesystem::path lastFolder_;
  PhoneLink phone_;
  PhoneMenuSafety phoneSafety_;
  bool phoneIdle_ = true;
  bool closeWhenPhoneIdle_ = false;
};

}  // namespace menuforge

// "Restore phone backup…": one of the safety copies kept before each write to the phone goes
// back to it.
#include "app/main_window.h"

namespace menuforge {
namespace {

constexpr char kBackupFilter[] = "Menu backups (mma_ucp_*);;All files (*)";

}  // namespace

void MainWindow::RestorePhoneBackup() {
  if (!phoneIdle_ || !phone_.session.connected()) return;
  const std::string folder = phoneSafety_.backupFolder().string();
  const auto backup =
      prompts_->OpenFileName({kRestoreBackupCaption, kBackupFilter, folder.c_str()});
  if (!backup) return;
  SetPhoneBusy(true);
  static_cast<void>(phoneSafety_.RestoreBackup(*backup));
  SetPhoneBusy(false);
  CloseIfAskedMeanwhile();
}

}  // namespace menuforge

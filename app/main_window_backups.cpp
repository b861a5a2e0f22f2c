// "Restore phone backup…": one of the safety copies kept before each write to the phone goes
// back to it.
#include "app/backup_chooser_dialog.h"
#include "app/main_window.h"

#include <QStatusBar>

#include "app/core/status_text.h"
#include "app/core/window_texts.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr char kBackupFilter[] = "Menu backups (mma_ucp_*);;All files (*)";

}  // namespace

std::optional<std::filesystem::path> MainWindow::ChoosePhoneBackup(const char* fileDialogTitle) {
  const std::string folder = phoneSafety_.backupFolder().string();
  const std::vector<PhoneBackup> backups = ListPhoneBackups(phoneSafety_.backupFolder());
  std::vector<BackupRow> rows;
  for (const PhoneBackup& backup : backups)
    rows.push_back(BackupRowOf(backup, phone_.session.imei(), phone_.session.modelName()));
  BackupChooserDialog chooser(
      fileDialogTitle, backups, rows,
      [&] {
        return prompts_->OpenFileName({fileDialogTitle, kBackupFilter, folder.c_str()});
      },
      this);
  prompts_->ShowModal(chooser);
  if (chooser.result() != QDialog::Accepted) return std::nullopt;
  return chooser.chosen();
}

void MainWindow::RestorePhoneBackup() {
  if (!phoneIdle_ || !phone_.session.connected()) return;
  const std::optional<std::filesystem::path> backup = ChoosePhoneBackup(kRestoreBackupCaption);
  if (!backup) return;
  SetPhoneBusy(true);
  const bool restored = phoneSafety_.RestoreBackup(
      *backup,
      [this, &backup](const Message& question) { return ConfirmRestore(question, *backup); });
  SetPhoneBusy(false);
  if (restored) document_.PhoneMenuReplaced();
  // The phone's menu shown here is no longer what the phone holds. It is marked as changed rather
  // than replaced by the backup: reloading would throw away edits not yet saved, while a changed
  // menu keeps them, asks before it is set aside, and "Open from phone" shows the backup.
  if (restored && document_.current().source() == CurrentMenu::Source::Phone)
    statusBar()->showMessage(ShownText(kBackupRestoredStatus), kStatusNoticeTime);
  CloseIfAskedMeanwhile();
}

}  // namespace menuforge

// The commands that work with a connected phone, the connection shown in the status bar and the
// notification area, and the SEEM backup of the settings window.
#include "app/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>

#include "app/core/command_states.h"
#include "app/core/java_after_open.h"
#include "app/core/status_text.h"
#include "app/core/window_texts.h"
#include "app/item_list_box.h"
#include "app/preview_phone_icons.h"
#include "app/status_panels.h"
#include "app/status_tray_icon.h"
#include "phone/seem_backup.h"
#include "widgets/shown_text.h"
#include "workspace/working_files.h"

namespace menuforge {
namespace {

constexpr FileDialogText kSeemBackupDialog{kSeemBackupDialogTitle, kSeemFileFilter,
                                           kSeemBackupFileName};
constexpr FileDialogText kSeemRestoreDialog{kSeemRestoreDialogTitle, kSeemFileFilter,
                                            kSeemBackupFileName};

}  // namespace

void MainWindow::PollPhone() {
  // A notice in the middle of a phone command would change what it is working on; it waits for
  // the next tick. The session holds notices back during the transfers of other windows.
  if (!session_.phoneIdle()) return;
  session_.phone().session.Poll();
}

void MainWindow::PhoneConnected() {
  const PhoneSession& session = session_.phone().session;
  if (tray_)
    tray_->ShowConnected(ShownText(ConnectedBalloonText(session)),
                         ShownText(PhoneInfoText(session)));
  statusPanels_->ShowPhone(&session);
  ShowConnection(true);
  previewIcons_->PhoneChanged();
  if (const std::optional<std::string> profile = session.ProfileToApply()) {
    // A firmware without a profile falls back to "Default" and says so, as the selector does.
    profileNotices_.BeginFirmware(session.firmwareVersion());
    session_.document().ApplyProfile([&](Catalog& catalog, FormatOptions& options) {
      static_cast<void>(catalog.ApplyProfile(*profile, options, profileNotices_));
    });
    ShowProfileExclusions(profileNotices_.TakeStatusText());
  }
}

void MainWindow::PhoneDisconnected() {
  if (tray_) tray_->ShowDisconnected();
  ShowConnection(false);
  session_.phoneSafety().ForgetPhoneMenu();
  session_.document().PhoneMenuUnknown();
  // Its MIDlets went with it; the next phone may hold others.
  phoneMidlets_ = {};
  statusPanels_->ShowPhone(nullptr);
  previewIcons_->PhoneChanged();
}

void MainWindow::ShowConnection(bool connected) {
  statusPanels_->ShowConnection(connected);
  ShowCommandStates();
  Q_EMIT PhoneConnectionChanged(connected);
}

void MainWindow::OpenFromPhone() {
  if (!session_.phoneIdle() || !MaySetMenuAside()) return;
  SetPhoneBusy(true);
  const std::filesystem::path path = session_.phone().menuFiles.ReadPhoneMenuFiles();
  SetPhoneBusy(false);
  // The menu shown before stays, with its own Java tables, until the phone's menu takes its place.
  if (session_.phone().menuFiles.cancelled())
    prompts_->Show(OpenFromPhoneCancelled(session_.document().HasMenu()));
  if (path.empty() || !ShowOpened(session_.document().OpenPhoneCopy(path))) {
    CloseIfAskedMeanwhile();
    return;
  }
  session_.phoneSafety().RememberPhoneMenu(path);
  // A patch downloads the JAD files.
  SetPhoneBusy(true);
  phoneMidlets_ = ReadJ2mestAfterOpen(session_.phone(), session_.settings().patchJ2mest,
                                      session_.filesFolder(), *prompts_);
  SetPhoneBusy(false);
  CloseIfAskedMeanwhile();
}

void MainWindow::SaveToPhone() {
  if (!session_.phoneIdle()) return;
  SetPhoneBusy(true);
  if (session_.settings().showPhoneChanges && !ConfirmPhoneChanges()) {
    SetPhoneBusy(false);
    CloseIfAskedMeanwhile();
    return;
  }
  const Result<PhoneMenuCopy> copy = session_.CopyMenuForPhone();
  const bool written = copy.ok() && WriteMenuCopyToPhone(session_.phoneSafety(), *copy);
  if (written) session_.MenuCopyWritten(*copy);
  SetPhoneBusy(false);
  if (!copy) prompts_->Show(copy.error());
  if (written)
    statusBar()->showMessage(ShownText(SavedToPhoneStatus(session_.document().current(),
                                                          session_.document().modified())),
                             kStatusNoticeTime);
  CloseIfAskedMeanwhile();
}

void MainWindow::RestartPhone() {
  if (!session_.phoneIdle()) return;
  phonePictures_.previews().FinishFetching();
  const bool restarting = session_.phone().menuFiles.RestartPhone();
  statusBar()->showMessage(ShownText(restarting ? kPhoneRestartingStatus : kRestartRefusedStatus),
                           kStatusNoticeTime);
}

void MainWindow::SetPhoneBusy(bool busy) {
  // The preview's icon fetch leaves a file open on the phone between its blocks.
  if (busy) phonePictures_.previews().FinishFetching();
  session_.SetPhoneBusy(busy);
  ShowCommandStates();
}

void MainWindow::ShowCommandStates() {
  const CommandStates states = CommandStatesFor(
      session_.document(), session_.phone().session.connected(), !session_.phoneIdle());
  actions_.save->setEnabled(states.save);
  actions_.saveAs->setEnabled(states.saveAs);
  actions_.openFromPhone->setEnabled(states.openFromPhone);
  actions_.saveToPhone->setEnabled(states.saveToPhone);
  actions_.restartPhone->setEnabled(states.restartPhone);
  actions_.restoreBackup->setEnabled(states.restoreBackup);
  itemList_->setEnabled(states.itemList);
}

void MainWindow::CloseIfAskedMeanwhile() {
  if (session_.TakeCloseAskedMeanwhile()) close();
}

void MainWindow::BackUpSeemRecord() {
  if (!session_.phone().session.connected()) return;
  phonePictures_.previews().FinishFetching();
  // Over the settings window, which takes the input while it is shown.
  QWidget* const modal = QApplication::activeModalWidget();
  ProgressWindowFactory windows(modal ? modal : this, CancelButton::Offered);
  if (const auto path = prompts_->SaveFileName(kSeemBackupDialog))
    BackupSeem(session_.phone().session, *path, *prompts_, &windows);
}

void MainWindow::RestoreSeemRecord() {
  if (!session_.phone().session.connected()) return;
  phonePictures_.previews().FinishFetching();
  if (const auto path = prompts_->OpenFileName(kSeemRestoreDialog))
    RestoreSeem(session_.phone().session, *path, *prompts_);
}

}  // namespace menuforge

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
  if (!phoneIdle_) return;
  phone_.session.Poll();
}

void MainWindow::PhoneConnected() {
  const PhoneSession& session = phone_.session;
  if (tray_)
    tray_->ShowConnected(ShownText(ConnectedBalloonText(session)),
                         ShownText(PhoneInfoText(session)));
  phonePanel_->setText(ShownText(PhonePanelText(session)));
  imeiPanel_->setText(ShownText(ImeiPanelText(session)));
  ShowConnection(true);
  previewIcons_->PhoneChanged();
  if (const std::optional<std::string> profile = session.ProfileToApply()) {
    // A firmware without a profile falls back to "Default" and says so, as the selector does.
    profileNotices_.BeginFirmware(session.firmwareVersion());
    document_.ApplyProfile([&](Catalog& catalog, FormatOptions& options) {
      static_cast<void>(catalog.ApplyProfile(*profile, options, profileNotices_));
    });
    ShowProfileExclusions(profileNotices_.TakeStatusText());
  }
}

void MainWindow::PhoneDisconnected() {
  if (tray_) tray_->ShowDisconnected();
  ShowConnection(false);
  phoneSafety_.ForgetPhoneMenu();
  document_.PhoneMenuUnknown();
  // Its MIDlets went with it; the next phone may hold others.
  phoneMidlets_ = {};
  phonePanel_->setText(ShownText(kNoPhonePanelText));
  imeiPanel_->setText(ShownText(kNoImeiPanelText));
  previewIcons_->PhoneChanged();
}

void MainWindow::ShowConnection(bool connected) {
  QPalette colours = connectionLamp_->palette();
  colours.setColor(QPalette::Window, connected ? Qt::green : Qt::red);
  connectionLamp_->setPalette(colours);
  ShowCommandStates();
  Q_EMIT PhoneConnectionChanged(connected);
}

void MainWindow::OpenFromPhone() {
  if (!phoneIdle_ || !MaySetMenuAside()) return;
  document_.Close();
  SetPhoneBusy(true);
  const std::filesystem::path path = phone_.menuFiles.ReadPhoneMenuFiles();
  SetPhoneBusy(false);
  if (phone_.menuFiles.cancelled()) {
    // The Java tables that went with the phone's menu went with it.
    phoneMidlets_ = {};
    prompts_->Show({kOpenFromPhoneCancelledText, kOpenFromPhoneCaption, MessageIcon::Information});
    CloseIfAskedMeanwhile();
    return;
  }
  if (!path.empty() && ShowOpened(document_.OpenPhoneCopy(path)))
    phoneSafety_.RememberPhoneMenu(path);
  // A patch downloads the JAD files.
  SetPhoneBusy(true);
  phoneMidlets_ = ReadJ2mestAfterOpen(phone_, settings_.patchJ2mest, filesFolder_, *prompts_);
  SetPhoneBusy(false);
  CloseIfAskedMeanwhile();
}

void MainWindow::SaveToPhone() {
  if (!phoneIdle_) return;
  SetPhoneBusy(true);
  if (settings_.showPhoneChanges && !ConfirmPhoneChanges()) {
    SetPhoneBusy(false);
    CloseIfAskedMeanwhile();
    return;
  }
  const DocumentHistory::Position savedAt = document_.position();
  const std::filesystem::path menuCopy = filesFolder_ / kMenuWorkFile;
  const SaveResult saved = document_.SaveCopy(menuCopy);
  // Only a file written whole goes to the phone; an older copy must not take its place.
  const bool written = saved.ok() && phoneSafety_.WritePhoneMenuFiles(menuCopy);
  if (written) document_.WrittenToPhone(savedAt);
  SetPhoneBusy(false);
  if (!saved) prompts_->Show(saved.error());
  if (written) statusBar()->showMessage(ShownText(kSavedToPhoneStatus), kStatusNoticeTime);
  CloseIfAskedMeanwhile();
}

void MainWindow::RestartPhone() {
  if (!phoneIdle_) return;
  phonePictures_.previews().FinishFetching();
  const bool restarting = phone_.menuFiles.RestartPhone();
  statusBar()->showMessage(ShownText(restarting ? kPhoneRestartingStatus : kRestartRefusedStatus),
                           kStatusNoticeTime);
}

void MainWindow::SetPhoneBusy(bool busy) {
  // The preview's icon fetch leaves a file open on the phone between its blocks.
  if (busy) phonePictures_.previews().FinishFetching();
  phoneIdle_ = !busy;
  ShowCommandStates();
}

void MainWindow::ShowCommandStates() {
  const CommandStates states = CommandStatesFor(document_, phone_.session.connected(), !phoneIdle_);
  saveAction_->setEnabled(states.save);
  saveAsAction_->setEnabled(states.saveAs);
  openFromPhoneAction_->setEnabled(states.openFromPhone);
  saveToPhoneAction_->setEnabled(states.saveToPhone);
  restartPhoneAction_->setEnabled(states.restartPhone);
  restoreBackupAction_->setEnabled(states.restoreBackup);
  itemList_->setEnabled(states.itemList);
}

void MainWindow::CloseIfAskedMeanwhile() {
  if (closeWhenPhoneIdle_) {
    closeWhenPhoneIdle_ = false;
    close();
  }
}

void MainWindow::BackUpSeemRecord() {
  if (!phone_.session.connected()) return;
  phonePictures_.previews().FinishFetching();
  // Over the settings window, which takes the input while it is shown.
  QWidget* const modal = QApplication::activeModalWidget();
  ProgressWindowFactory windows(modal ? modal : this, CancelButton::Offered);
  if (const auto path = prompts_->SaveFileName(kSeemBackupDialog))
    BackupSeem(phone_.session, *path, *prompts_, &windows);
}

void MainWindow::RestoreSeemRecord() {
  if (!phone_.session.connected()) return;
  phonePictures_.previews().FinishFetching();
  if (const auto path = prompts_->OpenFileName(kSeemRestoreDialog))
    RestoreSeem(phone_.session, *path, *prompts_);
}

}  // namespace menuforge

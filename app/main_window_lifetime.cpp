// The window's start and end: the catalogue and settings read at start, the splash and the fades,
// and a close that waits for the phone and asks about unsaved changes.
#include <QCloseEvent>
#include <QComboBox>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/about_dialog.h"
#include "app/core/profile_selector.h"
#include "app/document_title.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/status_tray_icon.h"
#include "phone/restart_at_close.h"
#include "widgets/shown_text.h"
#include "workspace/working_files.h"

namespace menuforge {

void MainWindow::StartUp() {
  ShowItemBaseRead(session_.document().catalog().LoadItemBase());
  ShowAvailableItems();

  session_.document().catalog().ListProfiles();
  for (const std::string& entry : ProfileSelectorEntries(session_.document().catalog()))
    profileSelector_->addItem(ShownText(entry));
  ShowProfileSelection();

  session_.ReadSettingsFile();
  ShowRecentFiles();
  title_->Show();
  RefreshStatus();

  setWindowOpacity(0);
  about_ = new AboutDialog(this);

  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    tray_ = new StatusTrayIcon(this);
    tray_->show();
  }

  // Read-only, the log of the program holding the folder stays as it is; phone operations go
  // unlogged.
  if (!session_.readOnly())
    if (const Status logCreated =
            session_.phone().log.Create(session_.workingFolder() / kPhoneLogFile);
        !logCreated)
      prompts_->Show(logCreated.error());
  const Status phoneLibraryStarted = session_.phone().session.Start();
  if (!phoneLibraryStarted) prompts_->Show(phoneLibraryStarted.error());

  splash_ = new SplashWindow(this);
  splash_->ShowCentred();
  fadeTimer_->start(kFadeInInterval);
  // A library that refused to start has no phone to tell of.
  if (!phoneLibraryStarted) return;
  // A phone already attached shows up as soon as the window runs, not a poll interval later.
  // Showing the splash handles pending events, so this is queued only after it.
  QTimer::singleShot(0, this, &MainWindow::PollPhone);
  phonePollTimer_->start();
}

void MainWindow::FadeTimerTick() {
  const FadeStep step = fade_.Tick(splash_ ? splash_->Opacity() : 0);
  setWindowOpacity(step.windowOpacity / 255.0);
  if (splash_) {
    splash_->SetOpacity(step.splashOpacity);
    if (step.hideSplash) splash_->hide();
  }
  if (step.finished) {
    fadeTimer_->setInterval(kFadeOutInterval);
    fadeTimer_->stop();
  }
  if (step.hideSplash) {
    profileNotices_.WindowShown();
    Q_EMIT FadeInFinished();
  }
  if (step.requestClose) close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing now would delete the working file under the transfer and the window it reports to.
  if (!session_.MayCloseNow()) {
    event->ignore();
    return;
  }
  // The fade-out asks to close at every step; only the request that begins it asks the user.
  if (fade_.CloseBegins() && !MaySetMenuAside()) {
    event->ignore();
    return;
  }
  phonePictures_.previews().FinishFetching();
  AskRestartAtClose(session_.phone().session, session_.phone().menuFiles, *prompts_);
  const CloseDecision decision = fade_.CloseRequested();
  if (decision.startFadeOut) fadeTimer_->start();
  if (!decision.allowClose) {
    event->ignore();
    return;
  }
  fadeTimer_->stop();
  ShutDown();
  event->accept();
}

void MainWindow::ShutDown() {
  RememberWindowSize();
  delete splash_;
  splash_ = nullptr;
  phonePollTimer_->stop();
  RemoveWorkingFiles(session_.filesFolder());
}

void MainWindow::ShowItemBaseRead(const Result<ItemBaseWarnings>& loaded) {
  if (!loaded) {
    prompts_->Show(loaded.error());
    return;
  }
  ShowWarnings(*loaded);
}

void MainWindow::ShowWarnings(const std::vector<std::string>& warnings) {
  if (warnings.empty()) return;
  std::string text;
  for (const std::string& line : ShownWarnings(warnings)) text += (text.empty() ? "" : "\n") + line;
  prompts_->Show({text, kWarningCaption, MessageIcon::Warning});
}

}  // namespace menuforge

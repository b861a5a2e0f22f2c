#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/about_dialog.h"
#include "app/backup_chooser_dialog.h"
#include "app/splash_window.h"
#include "app/status_tray_icon.h"
#include "base/version.h"
#include "gui/widget_lookup.h"
#include "widgets/double_progress_window.h"
#include "widgets/progress_adapters.h"
#include "widgets/progress_window.h"
#include "widgets/window_prompts.h"

using namespace menuforge;
using menuforge::test::Find;

namespace {

// Every text the window's labels show, as the user reads them.
QStringList LabelTexts(QWidget& window) {
  QStringList texts;
  for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

}  // namespace

class TestSmallWindows : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void fileFiltersTakeQtsForm_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("drm") << "CG15 binaries|*.smg;*.bin|All files|*.*"
                         << "CG15 binaries (*.smg *.bin);;All files (*)";
    QTest::newRow("gif") << "GIF files|*.gif|All files|*.*"
                         << "GIF files (*.gif);;All files (*)";
    QTest::newRow("dotted") << "Backups|*.seem;mma_ucp_*.*"
                            << "Backups (*.seem mma_ucp_*.*)";
    QTest::newRow("qt") << "CG1 binaries (*.bin *.smg);;All files (*)"
                        << "CG1 binaries (*.bin *.smg);;All files (*)";
  }
  void fileFiltersTakeQtsForm() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(QtFileFilter(filter.toLatin1().constData()), expected);
  }

  void backupChooserSaysWhatItIsForAndWhenItHasNothing() {
    for (const std::size_t count : {std::size_t{0}, std::size_t{2}}) {
      const std::vector<PhoneBackup> kept(count, {"mma_ucp_1", "354678012345679", "x"});
      const std::vector<BackupRow> rows(count, {"E398", "354678012345679", "2026-12-07 17:22"});
      BackupChooserDialog chooser("Compare with phone backup", kept, rows,
                                  [] { return std::optional<std::filesystem::path>(); });
      QCOMPARE(chooser.windowTitle(), QStringLiteral("Compare with phone backup"));
      QCOMPARE(LabelTexts(chooser).contains(QStringLiteral("No backups of this phone yet")),
               count == 0);
      QCOMPARE(Find<QPushButton>(chooser, "okButton")->isEnabled(), count > 0);
    }
  }

  void splashShowsNameAndVersion() {
    SplashWindow splash;
    const QStringList shown = LabelTexts(splash);
    QVERIFY(shown.contains(QString::fromLatin1(kProductName)));
    QVERIFY(shown.contains(QString::fromStdString(ShortVersion())));
    QVERIFY(shown.contains(QStringLiteral("P2K05 Ready")));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.Opacity(), SplashWindow::kInitialOpacity);
  }

  void splashIsCentredOnItsWindowAndFades() {
    QWidget mainWindow;
    mainWindow.setGeometry(120, 80, 462, 560);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    auto* splash = new SplashWindow(&mainWindow);
    splash->ShowCentred();
    QVERIFY(splash->isVisible());
    QVERIFY(splash->isWindow());
    const QPoint offset = splash->frameGeometry().center() - mainWindow.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));

    splash->SetOpacity(180);
    QCOMPARE(splash->Opacity(), 180);
    QCOMPARE(qRound(splash->windowOpacity() * 255), 180);
    splash->SetOpacity(-20);
    QCOMPARE(splash->Opacity(), 0);
    splash->SetOpacity(300);
    QCOMPARE(splash->Opacity(), 255);
  }

  void aboutShowsNameAndVersionAndClosesOnOk() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    const QStringList shown = LabelTexts(about);
    QVERIFY(shown.contains(QString::fromLatin1(kProductName)));
    QVERIFY(shown.contains(QStringLiteral("Version ") + QString::fromLatin1(kVersion)));

    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* ok = Find<QPushButton>(about, "okButton");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(about.result(), int(QDialog::Accepted));
    QVERIFY(!about.isVisible());
  }

  void progressWindowShowsPercent() {
    QWidget owner;
    owner.setGeometry(100, 100, 500, 400);
    owner.show();
    ProgressWindow progress(&owner);
    progress.setWindowTitle(QStringLiteral("Scanning CG1"));
    QCOMPARE(progress.size(), QSize(341, 66));
    QVERIFY(!progress.isModal());
    QVERIFY(!(progress.windowFlags() & Qt::WindowCloseButtonHint));
    progress.show();
    QVERIFY(QTest::qWaitForWindowExposed(&progress));
    const QPoint offset = progress.frameGeometry().center() - owner.frameGeometry().center();
    QVERIFY(offset.manhattanLength() <= 2);

    auto* bar = Find<QProgressBar>(progress, "progressBar");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    progress.SetPosition(42);
    QCOMPARE(bar->value(), 42);
    progress.SetPosition(250);
    QCOMPARE(bar->value(), 100);

    // The user cannot close it while the work goes on.
    QTest::keyClick(&progress, Qt::Key_Escape);
    QVERIFY(progress.isVisible());
  }

  void doubleProgressShowsTheFileApart() {
    DoubleProgressWindow progress;
    QCOMPARE(progress.size(), QSize(341, 98));
    QVERIFY(!progress.isModal());
    QVERIFY(!(progress.windowFlags() & Qt::WindowCloseButtonHint));
    auto* fileBar = Find<QProgressBar>(progress, "fileBar");
    auto* groupBar = Find<QProgressBar>(progress, "groupBar");
    QCOMPARE(fileBar->maximum(), 100);
    QCOMPARE(groupBar->maximum(), 100);
    progress.SetFilePercent(70);
    progress.SetGroupPercent(25);
    QCOMPARE(fileBar->value(), 70);
    QCOMPARE(groupBar->value(), 25);
    progress.SetGroupPercent(140);
    QCOMPARE(groupBar->value(), 100);
  }

  // Each block's position lets pending events run, so the program answers during a transfer.
  void transfersDriveTheProgressWindows() {
    QWidget owner;
    ProgressWindowFactory windows(&owner);
    std::unique_ptr<ProgressSink> sink = windows.Show("Reading mma_ucp 0%");
    auto* shown = owner.findChild<ProgressWindow*>();
    QVERIFY(shown != nullptr);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->windowTitle(), QStringLiteral("Reading mma_ucp 0%"));
    bool handled = false;
    QMetaObject::invokeMethod(
        &owner, [&handled] { handled = true; }, Qt::QueuedConnection);
    sink->SetPosition(40);
    sink->SetCaption("Reading mma_ucp 40%");
    QVERIFY(handled);
    QCOMPARE(Find<QProgressBar>(*shown, "progressBar")->value(), 40);
    QCOMPARE(shown->windowTitle(), QStringLiteral("Reading mma_ucp 40%"));
    sink->Close();
    QVERIFY(owner.findChild<ProgressWindow*>() == nullptr);
    sink.reset();
    windows.Show("Uploading mma_temp 0%");
    QVERIFY(owner.findChild<ProgressWindow*>() == nullptr);

    auto group = std::make_unique<GroupProgressWindow>(&owner);
    auto* pair = owner.findChild<DoubleProgressWindow*>();
    QVERIFY(pair != nullptr && pair->isVisible());
    GroupProgress counters(*group);
    counters.total = 400;
    counters.done = 100;
    counters.SetCaption("Downloading a.gif 70% (Total 25%)");
    counters.window.SetFilePosition(70);
    handled = false;
    QMetaObject::invokeMethod(
        &owner, [&handled] { handled = true; }, Qt::QueuedConnection);
    counters.window.SetGroupPosition(counters.GroupPercent());
    QVERIFY(handled);
    QCOMPARE(pair->windowTitle(), QStringLiteral("Downloading a.gif 70% (Total 25%)"));
    QCOMPARE(Find<QProgressBar>(*pair, "fileBar")->value(), 70);
    QCOMPARE(Find<QProgressBar>(*pair, "groupBar")->value(), 25);
    group.reset();
    QVERIFY(owner.findChild<DoubleProgressWindow*>() == nullptr);
  }

  void trayIconTellsTheConnectionAndThePhone() {
    StatusTrayIcon tray;
    const QImage disconnected = tray.icon().pixmap(16).toImage();
    QCOMPARE(tray.balloonTitle(), QStringLiteral("P2K Status"));
    QCOMPARE(tray.balloonText(), QStringLiteral("Disconnected"));
    Q_EMIT tray.activated(QSystemTrayIcon::Trigger);
    QCOMPARE(tray.balloonTitle(), QStringLiteral("P2K Status"));

    const QString info = QStringLiteral("Model: V3\nF/W Version: R374_G\nLP Version: 0122");
    tray.ShowConnected(QStringLiteral("Connected:  V3"), info);
    QCOMPARE(tray.balloonText(), QStringLiteral("Connected:  V3"));
    QVERIFY(tray.icon().pixmap(16).toImage() != disconnected);
    QCOMPARE(tray.toolTip(), QStringLiteral("Phone info\n") + info);
    Q_EMIT tray.activated(QSystemTrayIcon::Trigger);
    QCOMPARE(tray.balloonTitle(), QStringLiteral("Phone info"));
    QCOMPARE(tray.balloonText(), info);

    tray.ShowDisconnected();
    QCOMPARE(tray.balloonText(), QStringLiteral("Disconnected"));
    QCOMPARE(tray.icon().pixmap(16).toImage(), disconnected);
    QCOMPARE(tray.toolTip(), QString::fromStdString(WindowTitle()));
    Q_EMIT tray.activated(QSystemTrayIcon::Trigger);
    QCOMPARE(tray.balloonText(), QStringLiteral("Disconnected"));
  }
};

QTEST_MAIN(TestSmallWindows)
#include "test_small_windows.moc"

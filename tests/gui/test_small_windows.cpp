#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <cstdint>
#include <vector>

#include "app/about_dialog.h"
#include "app/core/version.h"
#include "app/double_progress_window.h"
#include "app/progress_window.h"
#include "app/splash_window.h"

using namespace menuforge;

namespace {

template <typename Widget>
Widget* Find(QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget named %s", name);
  return widget;
}

QColor TextColour(QWidget& window, const char* name) {
  return Find<QLabel>(window, name)->palette().color(QPalette::WindowText);
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<std::uint64_t>)

class TestSmallWindows : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void versionTextsComeFromOnePlace() {
    QCOMPARE(QString::fromStdString(WindowTitle()), QStringLiteral("Menuforge v.0.5"));
    QCOMPARE(QString::fromStdString(ShortVersion()), QStringLiteral("v.0.5"));
  }

  void splashShowsNameVersionAndColours() {
    SplashWindow splash;
    QCOMPARE(splash.size(), QSize(600, 300));
    QCOMPARE(splash.minimumSize(), splash.maximumSize());
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(splash.autoFillBackground());
    QCOMPARE(splash.palette().color(QPalette::Window), QColor(191, 255, 191));
    QCOMPARE(splash.Opacity(), 200);
    QCOMPARE(qRound(splash.windowOpacity() * 255), 200);

    QCOMPARE(Find<QLabel>(splash, "productLabel")->text(), QStringLiteral("Menuforge"));
    QCOMPARE(Find<QLabel>(splash, "versionLabel")->text(), QStringLiteral("v.0.5"));
    QCOMPARE(Find<QLabel>(splash, "readyLabel")->text(), QStringLiteral("P2K05 Ready"));
    for (const char* name : {"productLabel", "versionLabel", "readyLabel"}) {
      QCOMPARE(TextColour(splash, name), QColor(Qt::red));
      QVERIFY2(Find<QLabel>(splash, name)->font().bold(), name);
    }
    QVERIFY(Find<QLabel>(splash, "productLabel")->font().pointSize() >
            Find<QLabel>(splash, "versionLabel")->font().pointSize());
    for (const char* name : {"dedicationFirstLabel", "dedicationSecondLabel"}) {
      QVERIFY2(!Find<QLabel>(splash, name)->text().isEmpty(), name);
      QCOMPARE(TextColour(splash, name), QColor(Qt::blue));
    }
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
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));

    splash->SetOpacity(180);
    QCOMPARE(splash->Opacity(), 180);
    QCOMPARE(qRound(splash->windowOpacity() * 255), 180);
    splash->SetOpacity(-20);
    QCOMPARE(splash->Opacity(), 0);
    splash->SetOpacity(300);
    QCOMPARE(splash->Opacity(), 255);
  }

  void aboutShowsNameAndVersion() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    auto* product = Find<QLabel>(about, "productLabel");
    QCOMPARE(product->text(), QStringLiteral("Menuforge"));
    QVERIFY(product->font().bold());
    QCOMPARE(TextColour(about, "productLabel"), QColor(Qt::red));
    QCOMPARE(Find<QLabel>(about, "versionLabel")->text(), QStringLiteral("Version 0.5"));

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

  void doubleProgressCountsBytes_data() {
    QTest::addColumn<std::uint64_t>("total");
    QTest::addColumn<std::vector<std::uint64_t>>("blocks");
    QTest::addColumn<int>("percent");
    QTest::newRow("nothing yet") << std::uint64_t{1000} << std::vector<std::uint64_t>{} << 0;
    QTest::newRow("a quarter") << std::uint64_t{1000} << std::vector<std::uint64_t>{250} << 25;
    QTest::newRow("rounds down") << std::uint64_t{3} << std::vector<std::uint64_t>{2} << 66;
    QTest::newRow("all blocks") << std::uint64_t{1000} << std::vector<std::uint64_t>{250, 500, 250} << 100;
    QTest::newRow("more than announced") << std::uint64_t{1000} << std::vector<std::uint64_t>{999, 999} << 100;
    QTest::newRow("empty group") << std::uint64_t{0} << std::vector<std::uint64_t>{512} << 0;
    QTest::newRow("beyond 32 bits") << std::uint64_t{8'000'000'000} << std::vector<std::uint64_t>{4'000'000'000} << 50;
  }

  void doubleProgressCountsBytes() {
    QFETCH(std::uint64_t, total);
    QFETCH(std::vector<std::uint64_t>, blocks);
    QFETCH(int, percent);
    DoubleProgressWindow progress;
    QCOMPARE(progress.TotalBytes(), std::uint64_t{0});
    QCOMPARE(progress.DoneBytes(), std::uint64_t{0});
    progress.SetTotalBytes(total);
    std::uint64_t done = 0;
    for (std::uint64_t block : blocks) {
      progress.AddDoneBytes(block);
      done += block;
    }
    QCOMPARE(progress.TotalBytes(), total);
    QCOMPARE(progress.DoneBytes(), done);
    QCOMPARE(Find<QProgressBar>(progress, "groupBar")->value(), percent);
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
    progress.SetTotalBytes(400);
    progress.SetFilePercent(70);
    progress.AddDoneBytes(100);
    QCOMPARE(fileBar->value(), 70);
    QCOMPARE(groupBar->value(), 25);
    // A total set after some blocks still counts them.
    progress.SetTotalBytes(200);
    QCOMPARE(groupBar->value(), 50);
  }
};

QTEST_MAIN(TestSmallWindows)
#include "test_small_windows.moc"

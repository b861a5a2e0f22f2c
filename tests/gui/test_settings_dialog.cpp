#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/settings_dialog.h"
#include "gui/widget_lookup.h"
#include "workspace/settings.h"

using menuforge::Settings;
using menuforge::SettingsDialog;
using menuforge::test::Click;
using menuforge::test::ClickIndicator;
using menuforge::test::Find;

namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string FileText(const char* systemAttr, const char* log, const char* read, const char* patch,
                     const char* showPhoneChanges = "0") {
  return std::string("[setup]\r\nSetSystemAttr=") + systemAttr + "\r\nLogEnabled=" + log +
         "\r\nReadJ2MEST=" + read + "\r\nPatchJ2MEST=" + patch +
         "\r\nShowPhoneChanges=" + showPhoneChanges + "\r\n";
}

}  // namespace

class TestSettingsDialog : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    path_ = std::filesystem::path(folder_->path().toStdString()) / menuforge::kSettingsFileName;
  }

  void showsTheControlsInOrderWithTheirCaptions() {
    Settings settings;
    SettingsDialog dialog(settings, path_, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(
        !(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);

    const std::vector<std::pair<const char*, QString>> controls = {
        {"loggingBox", "Enable p2k ops logging"},
        {"systemAttributeBox", "Set SYSTEM attribute"},
        {"activateSeemBox", "Activate items in SEEM 0032"},
        {"backupSeemButton", "Backup SEEM"},
        {"restoreBackupButton", "Restore backup"},
        {"readJ2mestBox", "Read J2MEST"},
        {"fromPhoneBox", "From phone"},
        {"fromCardBox", "From card"},
        {"patchJ2mestBox", "Allow patching to run corelets"},
        {"showPhoneChangesBox", "Show changes before saving to phone"},
        {"okButton", "OK"},
        {"cancelButton", "Cancel"},
    };
    int previousTop = -1;
    for (const auto& [name, caption] : controls) {
      auto* control = Find<QAbstractButton>(dialog, name);
      QCOMPARE(control->text(), caption);
      const int top = control->mapTo(&dialog, QPoint(0, 0)).y();
      QVERIFY2(top >= previousTop, name);
      previousTop = top;
    }
    QVERIFY(Find<QPushButton>(dialog, "okButton")->isDefault());
    QVERIFY(Find<QCheckBox>(dialog, "fromPhoneBox")->x() >
            Find<QCheckBox>(dialog, "readJ2mestBox")->x());
  }

  void showsTheSettingsItWasGiven() {
    Settings settings{true, false, true, false, true, true, true};
    SettingsDialog dialog(settings, path_, false);
    QVERIFY(Find<QCheckBox>(dialog, "systemAttributeBox")->isChecked());
    QVERIFY(!Find<QCheckBox>(dialog, "loggingBox")->isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "readJ2mestBox")->isChecked());
    QVERIFY(!Find<QCheckBox>(dialog, "fromPhoneBox")->isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "fromCardBox")->isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "patchJ2mestBox")->isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "showPhoneChangesBox")->isChecked());
    for (const char* name : {"fromPhoneBox", "fromCardBox", "patchJ2mestBox"}) {
      QVERIFY2(Find<QCheckBox>(dialog, name)->isEnabled(), name);
    }
  }

  void seemControlsFollowThePhone_data() {
    QTest::addColumn<bool>("connected");
    QTest::newRow("no phone") << false;
    QTest::newRow("phone") << true;
  }

  void seemControlsFollowThePhone() {
    QFETCH(bool, connected);
    Settings settings;
    SettingsDialog dialog(settings, path_, connected);
    QSignalSpy backups(&dialog, &SettingsDialog::backupRequested);
    QSignalSpy restores(&dialog, &SettingsDialog::restoreRequested);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(Find<QPushButton>(dialog, "backupSeemButton")->isEnabled(), connected);
    QCOMPARE(Find<QPushButton>(dialog, "restoreBackupButton")->isEnabled(), connected);
    Click(dialog, "backupSeemButton");
    Click(dialog, "restoreBackupButton");
    QCOMPARE(backups.count(), connected ? 1 : 0);
    QCOMPARE(restores.count(), connected ? 1 : 0);

    auto* activate = Find<QCheckBox>(dialog, "activateSeemBox");
    ClickIndicator(dialog, "activateSeemBox");
    QVERIFY(!activate->isEnabled());
    QVERIFY(!activate->isChecked());
  }

  void okStoresTheChoices_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("read without source") << QStringList{"readJ2mestBox", "loggingBox"}
                                         << QString::fromStdString(FileText("0", "1", "None", "0"));
    QTest::newRow("card only") << QStringList{"readJ2mestBox", "fromCardBox", "systemAttributeBox"}
                               << QString::fromStdString(FileText("1", "0", "Card", "0"));
    QTest::newRow("both with patch")
        << QStringList{"readJ2mestBox", "fromPhoneBox", "fromCardBox", "patchJ2mestBox"}
        << QString::fromStdString(FileText("0", "0", "Both", "1"));
    QTest::newRow("show phone changes")
        << QStringList{"showPhoneChangesBox"}
        << QString::fromStdString(FileText("0", "0", "None", "0", "1"));
  }

  void okStoresTheChoices() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, expected);
    Settings settings;
    SettingsDialog dialog(settings, path_, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString& name : clicks) ClickIndicator(dialog, name.toLatin1().constData());
    Click(dialog, "okButton");

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(ReadText(path_)), expected);
    QCOMPARE(settings, menuforge::ReadSettings(path_));
  }

  void theLanguageOfTheWindowIsChosenByItsOwnName_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    const QString keys = QString::fromStdString(FileText("0", "0", "None", "0"));
    QTest::newRow("german") << ""
                            << "Deutsch" << keys + "WindowLanguage=de\r\n";
    QTest::newRow("brazilian") << ""
                               << "Português (Brasil)" << keys + "WindowLanguage=pt_BR\r\n";
    QTest::newRow("back to the system's") << "ru"
                                          << "System default" << keys;
    QTest::newRow("unknown kept") << "fr"
                                  << "" << keys + "WindowLanguage=fr\r\n";
  }
  void theLanguageOfTheWindowIsChosenByItsOwnName() {
    QFETCH(QString, stored);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    Settings settings;
    settings.windowLanguage = stored.toStdString();
    SettingsDialog dialog(settings, path_, false);
    auto* box = Find<QComboBox>(dialog, "languageBox");
    QCOMPARE(box->itemText(0), QStringLiteral("System default"));
    QCOMPARE(box->itemText(3), QStringLiteral("Русский"));
    if (!chosen.isEmpty()) {
      box->setCurrentIndex(box->findText(chosen));
      Q_EMIT box->activated(box->currentIndex());
    }
    Click(dialog, "okButton");
    QCOMPARE(QString::fromStdString(ReadText(path_)), expected);
  }

  void cancelLeavesFileAndSettings_data() {
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
  }

  void cancelLeavesFileAndSettings() {
    QFETCH(bool, byEscape);
    const std::string original = FileText("1", "0", "Phone", "1");
    WriteText(path_, original);
    Settings settings = menuforge::ReadSettings(path_);
    const Settings before = settings;
    SettingsDialog dialog(settings, path_, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const char* name : {"systemAttributeBox", "loggingBox", "fromCardBox", "readJ2mestBox"}) {
      ClickIndicator(dialog, name);
    }
    if (byEscape) {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    } else {
      Click(dialog, "cancelButton");
    }

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(settings, before);
    QCOMPARE(ReadText(path_), original);
  }

  void failedWriteShowsTheReasonAndStaysOpen() {
    const auto unwritable = path_.parent_path() / "missing" / menuforge::kSettingsFileName;
    Settings settings;
    SettingsDialog dialog(settings, unwritable, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ClickIndicator(dialog, "loggingBox");

    QString shown;
    QTimer::singleShot(0, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        box->accept();
      }
    });
    Click(dialog, "okButton");

    QCOMPARE(shown, QString::fromStdString("Cannot create file \"" + unwritable.string() +
                                           "\". No such file or directory"));
    QVERIFY(dialog.isVisible());
    QVERIFY(settings.logging);
    QVERIFY(!std::filesystem::exists(unwritable));
  }

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  std::filesystem::path path_;
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settings_dialog.moc"

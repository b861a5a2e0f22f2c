#include "app/main_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "app/menu_tree_view.h"
#include "app/phone_preview_dock.h"
#include "editor/icon_indicator.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_editor_prompts.h"
#include "gui/scripted_prompts.h"
#include "phone/phone_socket_path.h"
#include "phonesim/demo_storage.h"
#include "phonesim/in_process_library.h"

using namespace menuforge;
using menuforge::test::Click;
using menuforge::test::ClickIndicator;
using menuforge::test::Find;

namespace {

// The main window's prompts, driving each modal dialog with the next script when there is one.
class DrivingPrompts : public test::ScriptedPrompts {
 public:
  std::deque<std::function<void(QDialog&)>> scripts;

  void ShowModal(QDialog& dialog) override {
    ScriptedPrompts::ShowModal(dialog);
    if (scripts.empty()) return;
    const auto script = std::move(scripts.front());
    scripts.pop_front();
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) qFatal("dialog not shown");
    script(dialog);
    dialog.hide();
  }
};

}  // namespace

class TestItemEditorMainWindow : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::WindowTestFolder> folder_;
  std::unique_ptr<MainWindow> window_;
  DrivingPrompts* prompts_ = nullptr;

  template <typename T>
  T* Child(const char* name) const {
    return Find<T>(*window_, name);
  }
  void Trigger(const char* action) { test::Trigger(*window_, action); }

  void AddToMenuRoot(const char* displayName, const char* placement) {
    test::AddToMenuRoot(*window_, displayName, placement);
  }

 private Q_SLOTS:
  void init() {
    folder_ = std::make_unique<test::WindowTestFolder>();
    auto prompts = std::make_unique<DrivingPrompts>();
    prompts_ = prompts.get();
    window_ = std::make_unique<MainWindow>(std::move(prompts));
    Child<QTimer>("fadeTimer")->stop();
    Trigger("newAction");
  }

  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  void modifyItemGivesTheNodeItsTitleAndUrl() {
    AddToMenuRoot("Games", "addSubitemLastAction");
    MenuNode* node = window_->tree().menuRoot()->children().back().get();
    Child<MenuTreeView>("menuTree")->SelectNode(node);
    Child<QMenu>("treeMenu")->popup(QPoint());
    QVERIFY(Child<QAction>("modifyItemAction")->isEnabled());
    Child<QMenu>("treeMenu")->hide();

    prompts_->scripts.push_back([](QDialog& editor) {
      Click(editor, "menuTitleAddButton");
      auto* function = Find<QComboBox>(editor, "functionChoice");
      function->setFocus();
      QTest::keyClick(function, Qt::Key_Down);
      QTest::keyClicks(Find<QLineEdit>(editor, "urlField"), QStringLiteral("http://wap.example/"));
      Click(editor, "okButton");
    });
    prompts_->scripts.push_back([](QDialog& names) {
      QTest::keyClicks(Find<QLineEdit>(names, "nameField"), QStringLiteral("Web"));
      Click(names, "okButton");
    });
    Trigger("modifyItemAction");
    QVERIFY(prompts_->scripts.empty());
    QVERIFY(prompts_->shown.empty());

    QCOMPARE(node->record().itemType, kUrlLink);
    QCOMPARE(node->record().attributeByte, kAttributeWithFunction);
    QCOMPARE(node->record().titleMode, kTitleModeOwnTitle);
    QCOMPARE(Child<QPlainTextEdit>("itemSummary")->toPlainText(),
             QStringLiteral("Item summary:\n\nName in menu modified\nURL attached"));

    prompts_->savePaths.push_back("saved.mma");
    Trigger("saveAction");
    QVERIFY(prompts_->shown.empty());
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/menuforge-cli");
    QVERIFY2(QFile::exists(cli), "menuforge-cli is built beside the window tests");
    QProcess dump;
    dump.start(cli, {QStringLiteral("dump"), QStringLiteral("saved.mma")});
    QVERIFY(dump.waitForFinished());
    QCOMPARE(dump.exitCode(), 0);
    const QString out = QString::fromUtf8(dump.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("type=3 title-mode=8 (0x08) attribute=0x60")),
             qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("  title tag=0 language=01 name=\"English US\" "
                                         "text=\"Web\"\n"
                                         "  url tag=5 text=\"http://wap.example/\"\n")),
             qPrintable(out));
  }

  void cancelLeavesTheSoftKeyAsItWas() {
    MenuNode* key = window_->tree().NodeAt(kFirstSoftkeyPosition);
    const NodeRecord before = key->record();
    Child<MenuTreeView>("menuTree")->SelectNode(key);
    prompts_->scripts.push_back([](QDialog& editor) {
      QVERIFY(!Find<QWidget>(editor, "iconGroup")->isEnabled());
      Click(editor, "softkeyTitleAddButton");
      Click(editor, "cancelButton");
    });
    prompts_->scripts.push_back([](QDialog& names) {
      QTest::keyClicks(Find<QLineEdit>(names, "nameField"), QStringLiteral("Key"));
      Click(names, "okButton");
    });
    Trigger("modifyItemAction");
    QVERIFY(prompts_->scripts.empty());
    QCOMPARE(window_->tree().itemData().size(), std::size_t{0});
    QCOMPARE(key->record().attributeByte, before.attributeByte);
    QCOMPARE(key->record().titleMode, before.titleMode);
    QVERIFY(!key->record().modified);
  }

  void customItemsOpenTheEditor() {
    AddToMenuRoot("Games", "addSubitemLastAction");
    Child<MenuTreeView>("menuTree")
        ->SelectNode(window_->tree().menuRoot()->children().back().get());
    prompts_->scripts.push_back([](QDialog& editor) {
      Click(editor, "softkeyTitleAddButton");
      Click(editor, "okButton");
    });
    prompts_->scripts.push_back([](QDialog& names) {
      QTest::keyClicks(Find<QLineEdit>(names, "nameField"), QStringLiteral("Mine"));
      Click(names, "okButton");
    });
    auto* list = Child<QComboBox>("itemList");
    const int custom = list->count() - 1;
    list->setCurrentIndex(custom);
    Q_EMIT list->activated(custom);
    Child<QMenu>("itemMenu")->hide();
    Trigger("addItemBeforeAction");
    const MenuNode* added = Child<MenuTreeView>("menuTree")->SelectedNode();
    QCOMPARE(added->record().itemName, std::string("~1"));
    QVERIFY(prompts_->scripts.empty());
    QCOMPARE(prompts_->modalTitles, (std::vector<QString>{QStringLiteral("Item properties"),
                                                          QStringLiteral("Name settings")}));
    // A custom entry keeps its title mode when it gets a title of its own.
    QCOMPARE(added->record().titleMode, kTitleModeCustom);
    QVERIFY(added->record().modified);
  }

  // The binary chosen at the first DRM pick stays for the next one.
  void drmPickAsksForTheBinaryOnce() {
    AddToMenuRoot("Games", "addSubitemLastAction");
    Child<MenuTreeView>("menuTree")
        ->SelectNode(window_->tree().menuRoot()->children().back().get());
    QFile binary(QStringLiteral("icons.smg"));
    QVERIFY(binary.open(QIODevice::WriteOnly) && binary.write(QByteArray(64, 1)) == 64);
    binary.close();
    prompts_->openPaths.push_back("icons.smg");
    prompts_->scripts.push_back([](QDialog& editor) {
      ClickIndicator(editor, "staticIconDrmButton");
      Click(editor, "staticIconPickButton");
      QCOMPARE(Find<QLineEdit>(editor, "staticIconField")->text(), QStringLiteral("1"));
      Click(editor, "staticIconPickButton");
      Click(editor, "cancelButton");
    });
    prompts_->scripts.push_back([](QDialog& picker) { Click(picker, "okButton"); });
    prompts_->scripts.push_back([](QDialog& picker) { Click(picker, "cancelButton"); });
    Trigger("modifyItemAction");
    QVERIFY(prompts_->scripts.empty());
    QCOMPARE(prompts_->openTitles, std::vector<std::string>{"Select a DRM binary"});
    QCOMPARE(prompts_->modalTitles, (std::vector<QString>{QStringLiteral("Item properties"),
                                                          QStringLiteral("DRM Icon Picker"),
                                                          QStringLiteral("DRM Icon Picker")}));
  }

  // A user's road: an icon picked on the demo phone shows in the editor and, saved to the
  // phone, in the phone's menu file.
  void aPhoneIconPickedGoesIntoThePhoneMenu() {
    const std::filesystem::path storage = folder_->path() / "phone";
    QCOMPARE(CreateDemoStorage(storage), std::string());
    PhoneStorage phoneStorage(storage);
    auto library = std::make_unique<InProcessPhoneLibrary>(phoneStorage, PhoneAnswers{});
    InProcessPhoneLibrary& phone = *library;
    auto prompts = std::make_unique<DrivingPrompts>();
    prompts_ = prompts.get();
    window_ = std::make_unique<MainWindow>(std::move(prompts), std::move(library));
    Child<QTimer>("fadeTimer")->stop();
    Child<QTimer>("phonePollTimer")->stop();
    phone.Plug();
    window_->PollPhone();
    Trigger("newAction");
    AddToMenuRoot("Games", "addSubitemLastAction");
    Child<MenuTreeView>("menuTree")
        ->SelectNode(window_->tree().menuRoot()->children().back().get());

    prompts_->scripts.push_back([](QDialog& editor) {
      Click(editor, "animatedIconPickButton");
      QCOMPARE(Find<QLineEdit>(editor, "animatedIconField")->text(),
               QStringLiteral("/a/mobile/picture/disc.gif"));
      QVERIFY(Find<IconIndicator>(editor, "animatedIconIndicator")->hasPicture());
      Click(editor, "okButton");
    });
    prompts_->scripts.push_back([](QDialog& picker) {
      auto* folders = Find<QTreeWidget>(picker, "folderTree");
      const auto found =
          folders->findItems(QStringLiteral("picture"), Qt::MatchExactly | Qt::MatchRecursive);
      QCOMPARE(found.size(), 2);  // on the phone and on the card
      folders->setCurrentItem(found.front());
      auto* files = Find<QTreeWidget>(picker, "fileList");
      files->findItems(QStringLiteral("disc.gif"), Qt::MatchExactly).front()->setSelected(true);
      Click(picker, "okButton");
    });
    Trigger("modifyItemAction");
    QVERIFY(prompts_->scripts.empty());
    Trigger("saveToPhoneAction");

    QProcess dump;
    dump.start(QCoreApplication::applicationDirPath() + QStringLiteral("/menuforge-cli"),
               {QStringLiteral("dump"),
                QString::fromStdString((storage / "a/mobile/system/mma_ucp").string())});
    QVERIFY(dump.waitForFinished());
    const QString out = QString::fromUtf8(dump.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("path=\"/a/mobile/picture/disc.gif\"")), qPrintable(out));
  }

  // The demo phone's menu opened from the phone: its icons come into the preview while the
  // window goes on, and stay.
  void thePhonesIconsArriveInThePreview() {
    const std::filesystem::path storage = folder_->path() / "phone";
    QCOMPARE(CreateDemoStorage(storage), std::string());
    PhoneStorage phoneStorage(storage);
    auto library = std::make_unique<InProcessPhoneLibrary>(phoneStorage, PhoneAnswers{});
    InProcessPhoneLibrary& phone = *library;
    window_ = std::make_unique<MainWindow>(std::make_unique<DrivingPrompts>(), std::move(library));
    Child<QTimer>("fadeTimer")->stop();
    Child<QTimer>("phonePollTimer")->stop();
    window_->show();
    Trigger("phonePreviewAction");
    auto* dock = Child<PhonePreviewDock>("phonePreviewDock");
    const auto iconMiddle = [dock](std::size_t cell) {
      const Rect box = dock->scene().layout.cells[cell].icon;
      return dock->picture().pixel(box.x + box.width / 2, box.y + box.height / 2);
    };
    phone.Plug();
    window_->PollPhone();
    Trigger("openFromPhoneAction");
    const QRgb discBlue = qRgb(0x20, 0x60, 0xC0);
    const QRgb crossGreen = qRgb(0x30, 0xA0, 0x40);
    QVERIFY(iconMiddle(0) != discBlue);
    QTRY_COMPARE(iconMiddle(0), discBlue);
    QTRY_COMPARE(iconMiddle(3), crossGreen);
    QTRY_VERIFY(!Child<QTimer>("previewIconTimer")->isActive());

    // Another folder and back: the pictures are there at once, nothing is fetched again.
    const MenuNode& mainMenu = *window_->tree().menuRoot();
    Child<MenuTreeView>("menuTree")->SelectNode(mainMenu.children()[3]->children().front().get());
    QVERIFY(dock->folder() != &mainMenu);
    Child<MenuTreeView>("menuTree")->SelectNode(mainMenu.children()[1].get());
    QCOMPARE(iconMiddle(0), discBlue);
    QCOMPARE(iconMiddle(3), crossGreen);
    QVERIFY(!Child<QTimer>("previewIconTimer")->isActive());

    // The phone went: every phone icon says so.
    phone.Unplug();
    window_->PollPhone();
    QVERIFY(iconMiddle(0) != discBlue);
  }
};

QTEST_MAIN(TestItemEditorMainWindow)
#include "test_item_editor_main_window.moc"

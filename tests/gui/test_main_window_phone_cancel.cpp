// The main window's phone commands stopped part way: Cancel pressed in their progress windows,
// and a phone that stops answering. What is left on the phone and on disk is what the user was
// told.
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <thread>

#include "app/core/status_text.h"
#include "app/core/window_texts.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "gui/window_test_files.h"
#include "java/j2mest_patch.h"
#include "menu/mma_loader.h"
#include "phone/phone_menu_files.h"
#include "phone/seem_backup.h"
#include "phone/socket_library.h"
#include "phonesim/in_process_library.h"
#include "phonesim/phone_server.h"
#include "phonesim/seem_records.h"
#include "support/j2mest_files.h"
#include "widgets/progress_window.h"
#include "workspace/phone_backups.h"

namespace menuforge {
namespace {

using test::ScriptedPrompts;

constexpr char kCardFolder[] = "b/mobile/kjava/354678012345679/";
constexpr char kStoredMenu[] = "a/mobile/system/mma_ucp";
constexpr char kStoredJ2mest[] = "a/mobile/kjava/J2MEST";

// A menu of the first `count` built-in items: more than one block of 1024 bytes, so that an
// upload of it can be cancelled between blocks.
void WriteLongMenu(const std::filesystem::path& path, std::size_t count) {
  MenuTree tree;
  BuildSkeleton(tree);
  for (std::size_t i = 0; i < count; ++i)
    if (!AddEntry(tree, *tree.menuRoot(), Placement::LastChild, BuiltInItemBase()[i], false))
      qFatal("cannot add an item");
  if (SaveMenuFile(path, tree, FormatOptions{}, ItemTable(BuiltInItemBase())).status() !=
      SaveStatus::Saved)
    qFatal("cannot write a menu file");
}

// Presses Cancel in the first progress window whose caption starts with `caption`, as soon as it
// lets events through.
class CancelPresser {
 public:
  CancelPresser(QWidget& owner, QString caption) : caption_(std::move(caption)) {
    QObject::connect(&timer_, &QTimer::timeout, [this, &owner] {
      for (ProgressWindow* window : owner.findChildren<ProgressWindow*>()) {
        auto* cancel = window->findChild<QPushButton*>(QStringLiteral("cancelTransferButton"));
        if (window->windowTitle().startsWith(caption_) && cancel && cancel->isEnabled()) {
          cancel->click();
          timer_.stop();
        }
      }
    });
    timer_.start(0);
  }
  bool pressed() const { return !timer_.isActive(); }

 private:
  QString caption_;
  QTimer timer_;
};

}  // namespace
}  // namespace menuforge

using namespace menuforge;

class MainWindowPhoneCancelTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }
  void init();
  void cleanup();

  void cancelledOpenFromPhone_data();
  void cancelledOpenFromPhone();
  void cancelledSaveToPhone_data();
  void cancelledSaveToPhone();
  void cancelledRestoreKeepsThePhoneMenu();
  void cancelledSeemBackupWritesNoFile();
  void aStalledPhoneIsGivenUp_data();
  void aStalledPhoneIsGivenUp();

 private:
  void Start(std::unique_ptr<P2kLibrary> library = nullptr);
  void Trigger(const char* action) { test::Trigger(*window_, action); }
  std::filesystem::path OnPhone(const std::string& path) const { return storageRoot_ / path; }
  std::string PhoneText(const std::string& path) const { return test::ReadText(OnPhone(path)); }
  // J2MEST files in phone memory and on the card that need the patch, with their JAD files.
  void PutJavaTables();

  std::unique_ptr<test::WindowTestFolder> folder_;
  std::filesystem::path storageRoot_;
  std::unique_ptr<PhoneStorage> storage_;
  InProcessPhoneLibrary* phone_ = nullptr;
  std::unique_ptr<MainWindow> window_;
  ScriptedPrompts* prompts_ = nullptr;
};

void MainWindowPhoneCancelTest::init() {
  folder_ = std::make_unique<test::WindowTestFolder>();
  storageRoot_ = folder_->path() / "phone";
  for (const char* volume : {"a/mobile/system", "b", "c", "e"})
    std::filesystem::create_directories(storageRoot_ / volume);
  storage_ = std::make_unique<PhoneStorage>(storageRoot_);
  QVERIFY(PrepareSeemRecords(*storage_, std::nullopt, std::nullopt).empty());
  test::WriteText("menuforge.ini", "[setup]\r\nReadJ2MEST=Both\r\nPatchJ2MEST=1\r\n");
  WriteLongMenu(OnPhone(kStoredMenu), 60);
}

void MainWindowPhoneCancelTest::cleanup() {
  window_.reset();
  storage_.reset();
  folder_.reset();
}

void MainWindowPhoneCancelTest::Start(std::unique_ptr<P2kLibrary> library) {
  phone_ = nullptr;
  if (!library) {
    auto inProcess = std::make_unique<InProcessPhoneLibrary>(*storage_, PhoneAnswers{});
    phone_ = inProcess.get();
    library = std::move(inProcess);
  }
  auto prompts = std::make_unique<ScriptedPrompts>();
  prompts_ = prompts.get();
  window_ = std::make_unique<MainWindow>(std::move(prompts), std::move(library));
  test::Find<QTimer>(*window_, "fadeTimer")->stop();
  test::Find<QTimer>(*window_, "phonePollTimer")->stop();
  if (phone_) phone_->Plug();
  window_->PollPhone();
  prompts_->shown.clear();
}

void MainWindowPhoneCancelTest::PutJavaTables() {
  const Bytes phoneTable =
      test::J2mestFile(test::kJ2mest708, 3, {{2, "Chess", "Games", "2: chess.Main", true}});
  const Bytes cardTable =
      test::J2mestFile(test::kJ2mest1112, 0, {{1, "Notes", "Acme", "4: notes", true}});
  test::WriteText(OnPhone(kStoredJ2mest), std::string(phoneTable.begin(), phoneTable.end()));
  test::WriteText(OnPhone(std::string(kCardFolder) + "J2MEST"),
                  std::string(cardTable.begin(), cardTable.end()));
  test::WriteText(OnPhone("c/mobile/kjava/j2me2.jad"),
                  "MIDlet-1: Chess Deluxe, /c.png, c.Main\r\n");
  test::WriteText(OnPhone(std::string(kCardFolder) + "j2me1.jad"),
                  "MIDlet-1: Notes, /n.png, n\r\n");
}

void MainWindowPhoneCancelTest::cancelledOpenFromPhone_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("menuOpened");
  QTest::addColumn<QString>("said");
  const QString nothingOpened = QString::fromLatin1(kOpenFromPhoneCancelledText);
  QTest::newRow("menu file") << "Reading mma_ucp" << false << nothingOpened;
  QTest::newRow("J2MEST in phone memory") << "Reading J2MEST [phone]" << false << nothingOpened;
  QTest::newRow("J2MEST on the card") << "Reading J2MEST [card]" << false << nothingOpened;
  QTest::newRow("JAD of the patch")
      << "Downloading j2me" << true << QString::fromLatin1(kPatchCancelledText);
}

// Cancelled while reading, nothing is opened and no question follows; cancelled while patching,
// the menu is open and the phone's Java tables never go back to it.
void MainWindowPhoneCancelTest::cancelledOpenFromPhone() {
  QFETCH(QString, caption);
  QFETCH(bool, menuOpened);
  QFETCH(QString, said);
  PutJavaTables();
  const std::string phoneJ2mest = PhoneText(kStoredJ2mest);
  Start();
  test::WriteText("mma_temp", "an earlier copy");

  const CancelPresser presser(*window_, caption);
  Trigger("openFromPhoneAction");
  QVERIFY(presser.pressed());
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(prompts_->shown.front().text), said);
  QCOMPARE(prompts_->asked.size(), std::size_t{menuOpened ? 1u : 0u});
  QCOMPARE(window_->tree().menuRoot() != nullptr, menuOpened);
  QCOMPARE(test::Find<QAction>(*window_, "saveToPhoneAction")->isEnabled(), menuOpened);
  if (!menuOpened) return;

  prompts_->shown.clear();
  Trigger("saveToPhoneAction");
  QVERIFY(prompts_->shown.empty());
  QCOMPARE(PhoneText(kStoredJ2mest), phoneJ2mest);
}

void MainWindowPhoneCancelTest::cancelledSaveToPhone_data() {
  QTest::addColumn<bool>("openFromPhone");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("menuWritten");
  QTest::addColumn<QString>("said");
  const QString nothingWritten = QString::fromLatin1(kNothingSavedToPhoneText);
  QTest::newRow("safety copy") << false << "Keeping a copy of mma_ucp" << false << nothingWritten;
  QTest::newRow("menu file") << true << "Uploading mma_ucp" << false << nothingWritten;
  QTest::newRow("J2MEST in phone memory")
      << true << "Uploading J2MEST" << true
      << "Save to phone was cancelled after writing mma_ucp.\r\nNot written, the phone keeps its "
         "own: J2MEST [phone], J2MEST [card]";
}

// A cancel leaves every file not yet written whole as the phone had it.
void MainWindowPhoneCancelTest::cancelledSaveToPhone() {
  QFETCH(bool, openFromPhone);
  QFETCH(QString, caption);
  QFETCH(bool, menuWritten);
  QFETCH(QString, said);
  PutJavaTables();
  const std::string phoneMenu = PhoneText(kStoredMenu);
  const std::string phoneJ2mest = PhoneText(kStoredJ2mest);
  const std::string cardJ2mest = PhoneText(std::string(kCardFolder) + "J2MEST");
  Start();
  if (openFromPhone) {
    Trigger("openFromPhoneAction");
  } else {
    WriteLongMenu("local_menu", 50);
    window_->OpenFile("local_menu");
  }
  test::AddToMenuRoot(*window_, "Games");
  prompts_->shown.clear();

  const CancelPresser presser(*window_, caption);
  Trigger("saveToPhoneAction");
  QVERIFY(presser.pressed());
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QCOMPARE(QString::fromStdString(prompts_->shown.front().text), said);
  QCOMPARE(PhoneText(kStoredMenu) == phoneMenu, !menuWritten);
  if (menuWritten) QCOMPARE(PhoneText(kStoredMenu), test::ReadText("mma_temp"));
  QCOMPARE(PhoneText(kStoredJ2mest), phoneJ2mest);
  QCOMPARE(PhoneText(std::string(kCardFolder) + "J2MEST"), cardJ2mest);
  QCOMPARE(window_->isWindowModified(), !menuWritten);
}

void MainWindowPhoneCancelTest::cancelledRestoreKeepsThePhoneMenu() {
  WriteLongMenu("older_menu", 40);
  const std::string older = test::ReadText("older_menu");
  QVERIFY(StorePhoneBackup(folder_->backups(), "354678012345679", 1700000000,
                           Bytes(older.begin(), older.end()))
              .ok());
  const std::string phoneMenu = PhoneText(kStoredMenu);
  Start();
  prompts_->onModal = [](QDialog& chooser) {
    auto* list = chooser.findChild<QTreeWidget*>(QStringLiteral("backupList"));
    list->setCurrentItem(list->topLevelItem(0));
    chooser.accept();
  };
  const CancelPresser presser(*window_, QStringLiteral("Uploading mma_ucp"));
  Trigger("restoreBackupAction");
  QVERIFY(presser.pressed());
  QCOMPARE(prompts_->shown, (std::vector<Message>{{kNothingRestoredText, kRestoreBackupCaption,
                                                   MessageIcon::Information}}));
  QCOMPARE(PhoneText(kStoredMenu), phoneMenu);
}

void MainWindowPhoneCancelTest::cancelledSeemBackupWritesNoFile() {
  Start();
  const std::filesystem::path backup = folder_->path() / "mine.seem";
  prompts_->savePaths.push_back(backup);
  prompts_->onModal = [](QDialog& dialog) {
    dialog.findChild<QPushButton*>(QStringLiteral("backupSeemButton"))->click();
  };
  const CancelPresser presser(*window_, QString::fromLatin1(kReadingSeemTitle));
  Trigger("setupAction");
  QVERIFY(presser.pressed());
  QCOMPARE(prompts_->shown,
           (std::vector<Message>{{kSeemBackupCancelledText, "", MessageIcon::Information}}));
  QVERIFY(!std::filesystem::exists(backup));
}

void MainWindowPhoneCancelTest::aStalledPhoneIsGivenUp_data() {
  QTest::addColumn<bool>("save");
  QTest::addColumn<int>("answered");
  QTest::addColumn<QString>("said");
  // Connecting takes the first commands; the rest reach into the menu file's blocks.
  QTest::newRow("open from phone") << false << 8
                                   << "Error reading mma_ucp: the connection to "
                                      "the phone was lost";
  QTest::newRow("save to phone") << true << 16
                                 << "Error writing mma_ucp: the connection to the "
                                    "phone was lost";
}

// A phone that stops answering in the middle of the menu file is given up after the reply time:
// nothing read is opened, and nothing written takes the place of the phone's menu.
void MainWindowPhoneCancelTest::aStalledPhoneIsGivenUp() {
  QFETCH(bool, save);
  QFETCH(int, answered);
  QFETCH(QString, said);
  const std::string phoneMenu = PhoneText(kStoredMenu);
  PhoneServerConfig config{storageRoot_, {}, {}};
  config.pace.stallAfter = static_cast<std::uint64_t>(answered);
  PhoneServer server(config);
  const std::filesystem::path socket = folder_->path() / "phone.sock";
  QVERIFY(server.Listen(socket).empty());
  std::thread serving([&server] { server.Run(); });
  auto library =
      std::make_unique<SocketPhoneLibrary>(socket, PhoneTimeouts{std::chrono::milliseconds(300)});
  SocketPhoneLibrary& phone = *library;
  Start(std::move(library));
  QVERIFY(test::Find<QAction>(*window_, "openFromPhoneAction")->isEnabled());
  if (save) {
    WriteLongMenu("local_menu", 50);
    window_->OpenFile("local_menu");
  }
  // The window's timers keep firing while the phone keeps silent; whatever they ask of the
  // phone meanwhile is refused without ending the connection or reaching the phone.
  int firedWaiting = 0;
  int reachedPhone = 0;
  QTimer ticking;
  QObject::connect(&ticking, &QTimer::timeout, [&] {
    if (!phone.callInFlight()) return;
    ++firedWaiting;
    window_->PollPhone();
    if (phone.File_CountEx("/a/*") != kP2kFailure || !phone.connectionOpen()) ++reachedPhone;
  });
  ticking.start(5);
  Trigger(save ? "saveToPhoneAction" : "openFromPhoneAction");
  ticking.stop();
  server.Stop();
  serving.join();

  QVERIFY2(firedWaiting >= 5, qPrintable(QString::number(firedWaiting)));
  QCOMPARE(reachedPhone, 0);

  QVERIFY(!prompts_->shown.empty());
  QCOMPARE(QString::fromStdString(prompts_->shown.back().text), said);
  QCOMPARE(PhoneText(kStoredMenu), phoneMenu);
  if (!save) QVERIFY(window_->tree().menuRoot() == nullptr);
}

QTEST_MAIN(MainWindowPhoneCancelTest)
#include "test_main_window_phone_cancel.moc"

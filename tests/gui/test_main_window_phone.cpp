// The main window with a simulated phone: the connection shown, Open from phone, Save to phone,
// Restart phone, the restart question at close and the SEEM buttons of the settings window.
#include "app/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <thread>

#include "app/core/java_after_open.h"
#include "app/menu_tree_view.h"
#include "catalog/item_base_file.h"
#include "catalog/menu_opening.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "gui/window_test_files.h"
#include "menu/mma_loader.h"
#include "phone/phone_menu_files.h"
#include "phone/restart_at_close.h"
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

constexpr int kFadeInTicks = 25;
constexpr int kFadeOutTicks = 26;
constexpr char kConnectedPanel[] = "Phone: Menuforge Phone  [R3443H1_G_0A.65.0BR] ";
const Message kProfileNotFound{"Profile not found. Default profile will be applied",
                               "Missing profile", MessageIcon::Warning};

QStringList Names(const MenuNode& parent) {
  QStringList names;
  for (const auto& child : parent.children())
    names << QString::fromStdString(child->record().itemName);
  return names;
}

void WriteMenu(const std::filesystem::path& path, const std::vector<std::string>& identifiers) {
  MenuTree tree;
  BuildSkeleton(tree);
  const ItemTable items(BuiltInItemBase());
  for (const std::string& identifier : identifiers)
    if (!AddEntry(tree, *tree.menuRoot(), Placement::LastChild, items.at(items.Find(identifier)),
                  false))
      qFatal("cannot add %s", identifier.c_str());
  if (SaveMenuFile(path, tree, FormatOptions{}, items).status() != SaveStatus::Saved)
    qFatal("cannot write a menu file");
}

QStringList MenuRootNamesIn(const std::filesystem::path& path) {
  MenuTree tree;
  FormatOptions options;
  FormatState state;
  const ItemTable items(BuiltInItemBase());
  if (LoadMenuFile(path, {items, true}, tree, options, state).status() != LoadStatus::Loaded)
    return {QStringLiteral("(not a menu file)")};
  return Names(*tree.menuRoot());
}

// The simulator's server on its own thread, as menuforge-phonesim runs it.
class ServerThread {
 public:
  ServerThread(const std::filesystem::path& storage, const std::filesystem::path& socket)
      : server_(PhoneServerConfig{storage, {}, {}}) {
    if (!server_.Listen(socket).empty()) qFatal("cannot listen on the phone socket");
    thread_ = std::thread([this] { server_.Run(); });
  }
  ~ServerThread() {
    server_.Stop();
    thread_.join();
  }

 private:
  PhoneServer server_;
  std::thread thread_;
};

}  // namespace
}  // namespace menuforge

using namespace menuforge;

Q_DECLARE_METATYPE(menuforge::SaveChoice)

class MainWindowPhoneTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }
  void init();
  void cleanup();

  void connectShowsThePhoneAndDisconnectTakesItBack();
  void connectAppliesTheFirmwareProfile();
  void aMissingProfileIsSaidOnceAndNotOverTheSplash();
  void theSettingsWindowFollowsThePhone();
  void openFromPhoneLoadsThePhoneMenu();
  void aRefusedReadLeavesNothingToSave();
  void saveToPhoneWritesTheMenu_data();
  void saveToPhoneWritesTheMenu();
  void saveToPhoneRefusesItemsOutsideTheProfile();
  void openFromPhonePatchesTheJavaTablesAndSaveWritesThemBack();
  void restartQuestionAtClose_data();
  void restartQuestionAtClose();
  void phoneCommandsWaitForTheTransferInProgress();
  void seemButtonsBackUpAndRestoreWhileConnected();
  void thePhoneOnTheSocketGoesAndComesBack();
  void unsavedChangesAreAskedAbout_data();
  void unsavedChangesAreAskedAbout();
  void saveToPhoneKeepsASafetyCopyThatCanBeRestored();
  void withoutASafetyCopyNothingGoesToThePhone();
  void theSaveQuestionComesBeforeTheRestartQuestion();
  void restoreShowsChangesBeforeItAsks_data();
  void restoreShowsChangesBeforeItAsks();
  void saveToPhoneShowsChangesWhenSetTo_data();
  void saveToPhoneShowsChangesWhenSetTo();
  void theComparisonWithThePhoneGoesOutOfDate();

 private:
  void Start(std::unique_ptr<P2kLibrary> library = nullptr);
  void Plug(FaultPlan faults = {});
  template <typename T>
  T* Child(const char* name) const {
    return test::Find<T>(*window_, name);
  }
  void Trigger(const char* action) { test::Trigger(*window_, action); }
  bool Enabled(const char* action) const { return Child<QAction>(action)->isEnabled(); }
  QString PhonePanel() const { return Child<QLabel>("phonePanel")->text(); }
  QString FormatPanel() const { return Child<QLabel>("formatPanel")->text(); }
  QString ImeiPanel() const { return Child<QLabel>("imeiPanel")->text(); }
  QString StatusMessage() const { return window_->statusBar()->currentMessage(); }
  QColor Lamp() const { return Child<QFrame>("connectionLamp")->palette().color(QPalette::Window); }
  void AddToMenuRoot(const char* displayName) { test::AddToMenuRoot(*window_, displayName); }
  void ChooseProfile(const char* name);
  void FadeIn();
  // Closes and runs the fade-out to its end.
  void CloseAndFadeOut();
  std::filesystem::path PhoneMenu() const { return storageRoot_ / "a/mobile/system/mma_ucp"; }
  int LogLinesSaying(const std::string& line) const;

  std::unique_ptr<test::WindowTestFolder> folder_;
  std::filesystem::path storageRoot_;
  std::unique_ptr<PhoneStorage> storage_;
  InProcessPhoneLibrary* phone_ = nullptr;
  std::unique_ptr<MainWindow> window_;
  ScriptedPrompts* prompts_ = nullptr;
};

void MainWindowPhoneTest::init() {
  folder_ = std::make_unique<test::WindowTestFolder>();
  storageRoot_ = folder_->path() / "phone";
  for (const char* volume : {"a/mobile/system", "b", "c", "e"})
    std::filesystem::create_directories(storageRoot_ / volume);
  storage_ = std::make_unique<PhoneStorage>(storageRoot_);
  QVERIFY(PrepareSeemRecords(*storage_, std::nullopt, std::nullopt).empty());
}

void MainWindowPhoneTest::cleanup() {
  window_.reset();
  storage_.reset();
  folder_.reset();
}

// Both timers are stopped so that only the test moves the fade on and polls the phone.
void MainWindowPhoneTest::Start(std::unique_ptr<P2kLibrary> library) {
  if (!library) {
    auto inProcess = std::make_unique<InProcessPhoneLibrary>(*storage_, PhoneAnswers{});
    phone_ = inProcess.get();
    library = std::move(inProcess);
  }
  auto prompts = std::make_unique<ScriptedPrompts>();
  prompts_ = prompts.get();
  window_ = std::make_unique<MainWindow>(std::move(prompts), std::move(library));
  Child<QTimer>("fadeTimer")->stop();
  Child<QTimer>("phonePollTimer")->stop();
}

void MainWindowPhoneTest::Plug(FaultPlan faults) {
  phone_->Plug(std::move(faults));
  window_->PollPhone();
}

void MainWindowPhoneTest::ChooseProfile(const char* name) {
  auto* selector = Child<QComboBox>("profileSelector");
  const int index = selector->findText(QString::fromLatin1(name));
  QVERIFY2(index >= 0, name);
  selector->setCurrentIndex(index);
  Q_EMIT selector->activated(index);
}

void MainWindowPhoneTest::FadeIn() {
  window_->show();
  for (int tick = 0; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();
}

void MainWindowPhoneTest::CloseAndFadeOut() {
  QVERIFY(!window_->close());
  Child<QTimer>("fadeTimer")->stop();
  for (int tick = 0; tick < kFadeOutTicks; ++tick) window_->FadeTimerTick();
  QVERIFY(!window_->isVisible());
}

int MainWindowPhoneTest::LogLinesSaying(const std::string& line) const {
  const std::string log = test::ReadText("p2klog.txt");
  int count = 0;
  for (std::size_t at = log.find(line + "\r\n"); at != std::string::npos;
       at = log.find(line + "\r\n", at + 1))
    ++count;
  return count;
}

void MainWindowPhoneTest::connectShowsThePhoneAndDisconnectTakesItBack() {
  Start();
  QCOMPARE(PhonePanel(), QStringLiteral("Phone: None"));
  QCOMPARE(ImeiPanel(), QStringLiteral("IMEI: N/A "));
  QCOMPARE(Lamp(), QColor(Qt::red));

  // The IMEI has a panel of its own: the format and entry count stay in theirs.
  Plug();
  QCOMPARE(PhonePanel(), QString::fromLatin1(kConnectedPanel));
  QCOMPARE(ImeiPanel(), QStringLiteral(" IMEI: 354678012345679"));
  QCOMPARE(FormatPanel(), QStringLiteral("Format: 0-byte  Entries: 0"));
  QCOMPARE(Lamp(), QColor(Qt::green));
  QVERIFY(Enabled("openFromPhoneAction"));
  QVERIFY(Enabled("restartPhoneAction"));
  QVERIFY(!Enabled("saveToPhoneAction"));
  QCOMPARE(Child<QComboBox>("profileSelector")->currentText(), QStringLiteral("Default"));
  Trigger("newAction");
  QVERIFY(Enabled("saveToPhoneAction"));

  phone_->Unplug();
  window_->PollPhone();
  QCOMPARE(PhonePanel(), QStringLiteral("Phone: None "));
  QCOMPARE(ImeiPanel(), QStringLiteral("IMEI: N/A "));
  QCOMPARE(FormatPanel(), QStringLiteral("Format: 0-byte  Entries: 0"));
  QCOMPARE(Lamp(), QColor(Qt::red));
  for (const char* action : {"openFromPhoneAction", "saveToPhoneAction", "restartPhoneAction"})
    QVERIFY2(!Enabled(action), action);
  Trigger("newAction");
  QVERIFY(Enabled("saveAction"));
  QVERIFY(!Enabled("saveToPhoneAction"));

  // A tree that is already there can go to the phone as soon as it comes.
  Plug();
  QVERIFY(Enabled("saveToPhoneAction"));
}

void MainWindowPhoneTest::connectAppliesTheFirmwareProfile() {
  test::WriteProfile("R3443H1", "22 06 1", "PhoneBook\r\nGames\r\n");
  Start();
  Plug();
  QVERIFY(prompts_->shown.empty());
  QCOMPARE(Child<QComboBox>("profileSelector")->currentText(), QStringLiteral("R3443H1"));
  QVERIFY(Child<QRadioButton>("saveMode22")->isChecked());
  QVERIFY(Child<QCheckBox>("c698pFix")->isChecked());
  QCOMPARE(Child<QComboBox>("itemList")->count(), 3);
}

// No "Profiles/R3443H1.prf" for the phone's firmware: a box once the window has faded in, and
// only the status bar when the phone reconnects or restarts.
void MainWindowPhoneTest::aMissingProfileIsSaidOnceAndNotOverTheSplash() {
  Start();
  Plug();
  QVERIFY(prompts_->shown.empty());
  FadeIn();
  QCOMPARE(prompts_->shown, std::vector<Message>{kProfileNotFound});
  phone_->Unplug();
  window_->PollPhone();
  Plug();
  Trigger("restartPhoneAction");
  QCOMPARE(StatusMessage(), QStringLiteral("The phone is restarting"));
  window_->PollPhone();
  QCOMPARE(PhonePanel(), QString::fromLatin1(kConnectedPanel));
  QCOMPARE(prompts_->shown, std::vector<Message>{kProfileNotFound});
  QCOMPARE(window_->statusBar()->currentMessage(), QString::fromStdString(kProfileNotFound.text));
}

// Notices are held back only during transfers: a phone pulled out while the settings window is
// open shows as gone there at once.
void MainWindowPhoneTest::theSettingsWindowFollowsThePhone() {
  Start();
  Plug();
  QList<bool> enabled;
  prompts_->onModal = [&](QDialog& dialog) {
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    auto* backup = dialog.findChild<QPushButton*>(QStringLiteral("backupSeemButton"));
    auto* restore = dialog.findChild<QPushButton*>(QStringLiteral("restoreBackupButton"));
    enabled << backup->isEnabled() << restore->isEnabled();
    phone_->Unplug();
    window_->PollPhone();
    enabled << backup->isEnabled() << restore->isEnabled();
    Plug();
    enabled << backup->isEnabled();
    dialog.hide();
  };
  Trigger("setupAction");
  QCOMPARE(enabled, (QList<bool>{true, true, false, false, true}));
}

void MainWindowPhoneTest::openFromPhoneLoadsThePhoneMenu() {
  WriteMenu(PhoneMenu(), {"PhoneBook", "Games"});
  test::WriteProfile("R3443H1", "36 0C 0", "PhoneBook\r\n");
  Start();
  Plug();
  Trigger("openFromPhoneAction");

  // The phone's menu has an item its firmware's profile lacks: the same fallback as Open.
  QCOMPARE(
      prompts_->shown,
      (std::vector<Message>{{kProfileMismatchOnLoadText, "Profile error", MessageIcon::Warning}}));
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"PhoneBook", "Games"}));
  QCOMPARE(Child<QComboBox>("profileSelector")->currentText(), QStringLiteral("Default"));
  QCOMPARE(test::ReadText("mma_temp"), test::ReadText(PhoneMenu()));
  QVERIFY(Enabled("saveAction"));
  QVERIFY(Enabled("saveToPhoneAction"));
  QVERIFY(Child<QComboBox>("itemList")->isEnabled());
  QVERIFY(window_->findChildren<ProgressWindow*>().isEmpty());
}

void MainWindowPhoneTest::aRefusedReadLeavesNothingToSave() {
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  Start();
  Plug(FaultPlan{{Refusal{PhoneCall::FsacOpen, 1, 1}}, std::nullopt});
  prompts_->shown.clear();
  Trigger("newAction");
  Trigger("openFromPhoneAction");
  QCOMPARE(
      prompts_->shown,
      (std::vector<Message>{{"Error reading mma_ucp", "Fatal P2K error", MessageIcon::Error}}));
  QVERIFY(window_->tree().empty());
  QVERIFY(!Enabled("saveAction"));
  QVERIFY(!Enabled("saveToPhoneAction"));
  QVERIFY(Child<QComboBox>("itemList")->isEnabled());
}

void MainWindowPhoneTest::saveToPhoneWritesTheMenu_data() {
  QTest::addColumn<bool>("systemAttribute");
  QTest::newRow("plain") << false;
  QTest::newRow("SetSystemAttr") << true;
}

void MainWindowPhoneTest::saveToPhoneWritesTheMenu() {
  QFETCH(bool, systemAttribute);
  if (systemAttribute) test::WriteText("menuforge.ini", "[setup]\r\nSetSystemAttr=1\r\n");
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  Start();
  Plug();
  prompts_->shown.clear();
  Trigger("openFromPhoneAction");
  AddToMenuRoot("Games");
  Trigger("saveToPhoneAction");

  QVERIFY(prompts_->shown.empty());
  QCOMPARE(MenuRootNamesIn(PhoneMenu()), (QStringList{"PhoneBook", "Games"}));
  QCOMPARE(test::ReadText(PhoneMenu()), test::ReadText("mma_temp"));
  QCOMPARE(storage_->Attributes(kPhoneMenuPath), systemAttribute ? kAttributeSystem : 0);
}

void MainWindowPhoneTest::saveToPhoneRefusesItemsOutsideTheProfile() {
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  const std::string before = test::ReadText(PhoneMenu());
  test::WriteProfile("Small", "36 0C 0", "PhoneBook\r\n");
  Start();
  Plug();
  Trigger("newAction");
  AddToMenuRoot("Games");
  ChooseProfile("Small");
  prompts_->shown.clear();
  Trigger("saveToPhoneAction");

  QCOMPARE(StatusMessage(),
           QStringLiteral("The profile does not know 7 items of this menu: Message, RecentCall, "
                          "Mutilmedia \u2026 and 4 more"));
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QCOMPARE(prompts_->shown[0].text, std::string("mma_ucp doesn't match current profile\r\n"
                                                "Items the profile does not know:\r\nMessage\r\n"
                                                "RecentCall\r\nMutilmedia\r\nDatebook\r\n"
                                                "MMRingStyle\r\nVoiceRecord\r\nGames"));
  QCOMPARE(prompts_->shown[0].caption, std::string("Profile error"));
  QCOMPARE(test::ReadText(PhoneMenu()), before);
  FadeIn();
  CloseAndFadeOut();
  QVERIFY(prompts_->asked.empty());
}

// Both J2MEST files hold an entry with wrong CORELET info; after the patch they go back to the
// phone changed in those 33 bytes alone, and the item editor lists their MIDlets.
void MainWindowPhoneTest::openFromPhonePatchesTheJavaTablesAndSaveWritesThemBack() {
  test::WriteText("menuforge.ini", "[setup]\r\nReadJ2MEST=Both\r\nPatchJ2MEST=1\r\n");
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  const std::string cardFolder = "/b/mobile/kjava/354678012345679/";
  const Bytes phoneTable = test::J2mestFile(
      test::kJ2mest708, 3,
      {{2, "Chess", "Games", "2: chess.Main", true}, {4, "Plain", "Acme", "plain.Main", true}});
  const Bytes cardTable =
      test::J2mestFile(test::kJ2mest1112, 0, {{1, "Notes", "Acme", "4: notes", true}});
  const auto put = [this](const std::string& phonePath, const std::string& bytes) {
    test::WriteText(storageRoot_ / phonePath.substr(1), bytes);
  };
  put("/a/mobile/kjava/J2MEST", std::string(phoneTable.begin(), phoneTable.end()));
  put(cardFolder + "J2MEST", std::string(cardTable.begin(), cardTable.end()));
  put("/c/mobile/kjava/j2me2.jad", "MIDlet-1: Chess Deluxe, /chess.png, chess.Main\r\n");
  put(cardFolder + "j2me1.jad", "MIDlet-1: Notes, /notes.png, notes.Main\r\n");
  Start();
  Plug();
  prompts_->shown.clear();
  Trigger("openFromPhoneAction");
  QCOMPARE(
      prompts_->asked,
      (std::vector<Message>{{kPatchRequestText, kPatchRequestCaption, MessageIcon::Question}}));
  Trigger("saveToPhoneAction");
  QVERIFY(prompts_->shown.empty());

  const auto withName = [](std::string table, std::size_t offset, const std::string& name) {
    table.replace(offset, 33, name + std::string(33 - name.size(), '\0'));
    return table;
  };
  QCOMPARE(test::ReadText(storageRoot_ / "a/mobile/kjava/J2MEST"),
           withName(std::string(phoneTable.begin(), phoneTable.end()),
                    test::LaunchTextOffset(test::kJ2mest708, 3, 2), "Chess Deluxe"));
  QCOMPARE(test::ReadText(storageRoot_ / (cardFolder.substr(1) + "J2MEST")),
           withName(std::string(cardTable.begin(), cardTable.end()),
                    test::LaunchTextOffset(test::kJ2mest1112, 0, 1), "Notes"));
  QCOMPARE(storage_->Attributes("/a/mobile/kjava/J2MEST"), kAttributeSystem);
  QCOMPARE(storage_->Attributes(cardFolder + "J2MEST"), kAttributeSystem);

  QStringList listed;
  QStringList fields;
  prompts_->onModal = [&](QDialog& editor) {
    editor.show();
    auto* function = editor.findChild<QComboBox*>(QStringLiteral("functionChoice"));
    function->setCurrentIndex(function->findText(QStringLiteral("Application start")));
    auto* installed = editor.findChild<QComboBox*>(QStringLiteral("installedMidletChoice"));
    QVERIFY(installed->isEnabled());
    for (int i = 0; i < installed->count(); ++i) listed << installed->itemText(i);
    Q_EMIT installed->activated(0);
    for (const char* name : {"midlet1Field", "midletNameField", "midletVendorField"})
      fields << editor.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    editor.hide();
  };
  Child<MenuTreeView>("menuTree")->SelectNode(window_->tree().menuRoot()->children().front().get());
  Trigger("modifyItemAction");
  QCOMPARE(listed, (QStringList{" Chess", " Plain", " Notes"}));
  QCOMPARE(fields, (QStringList{"Chess Deluxe", "Chess", "Games"}));

  // The MIDlets were that phone's: once it has gone, none is offered.
  phone_->Unplug();
  window_->PollPhone();
  bool offered = true;
  prompts_->onModal = [&](QDialog& editor) {
    editor.show();
    auto* function = editor.findChild<QComboBox*>(QStringLiteral("functionChoice"));
    function->setCurrentIndex(function->findText(QStringLiteral("Application start")));
    offered = editor.findChild<QComboBox*>(QStringLiteral("installedMidletChoice"))->isEnabled();
    editor.hide();
  };
  Trigger("modifyItemAction");
  QVERIFY(!offered);
}

void MainWindowPhoneTest::restartQuestionAtClose_data() {
  QTest::addColumn<bool>("restartFirst");
  QTest::newRow("saved") << false;
  QTest::newRow("saved, then Restart phone") << true;
}

void MainWindowPhoneTest::restartQuestionAtClose() {
  QFETCH(bool, restartFirst);
  test::WriteText("menuforge.ini", "[setup]\r\nLogEnabled=1\r\n");
  Start();
  Plug();
  Trigger("newAction");
  Trigger("saveToPhoneAction");
  if (restartFirst) {
    Trigger("restartPhoneAction");
    window_->PollPhone();
    QCOMPARE(PhonePanel(), QString::fromLatin1(kConnectedPanel));
  }
  FadeIn();
  CloseAndFadeOut();

  if (restartFirst)
    QVERIFY(prompts_->asked.empty());
  else
    QCOMPARE(prompts_->asked,
             (std::vector<Message>{{kRestartQuestionText, "", MessageIcon::Question}}));
  QCOMPARE(LogLinesSaying("Phone is restarted"), 1);
}

// The progress windows let the user act during a transfer; phone commands given meanwhile are
// dropped, and a close waits for the transfer to end.
void MainWindowPhoneTest::phoneCommandsWaitForTheTransferInProgress() {
  test::WriteText("menuforge.ini", "[setup]\r\nLogEnabled=1\r\n");
  WriteMenu(PhoneMenu(), {"PhoneBook", "Games"});
  Start();
  FadeIn();
  Plug();
  Trigger("newAction");
  prompts_->shown.clear();
  bool actedDuringTransfer = false;
  QMetaObject::invokeMethod(
      window_.get(),
      [this, &actedDuringTransfer] {
        actedDuringTransfer = !window_->findChildren<ProgressWindow*>().isEmpty();
        Trigger("restartPhoneAction");
        Trigger("saveToPhoneAction");
        Trigger("openFromPhoneAction");
        QVERIFY(!window_->close());
        QVERIFY(!Child<QTimer>("fadeTimer")->isActive());
      },
      Qt::QueuedConnection);
  Trigger("openFromPhoneAction");

  QVERIFY(actedDuringTransfer);
  QVERIFY(prompts_->shown.empty());
  QCOMPARE(LogLinesSaying("Phone is restarted"), 0);
  QCOMPARE(LogLinesSaying("[P2KFileRead] Enter /a/mobile/system/mma_ucp"), 1);
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"PhoneBook", "Games"}));
  // The close given during the transfer has begun the fade-out now.
  QVERIFY(Child<QTimer>("fadeTimer")->isActive());
  QVERIFY(QFileInfo::exists("mma_temp"));
}

void MainWindowPhoneTest::seemButtonsBackUpAndRestoreWhileConnected() {
  Start();
  QList<bool> enabled;
  const char* toClick = nullptr;
  prompts_->onModal = [&](QDialog& dialog) {
    auto* backup = dialog.findChild<QPushButton*>(QStringLiteral("backupSeemButton"));
    auto* restore = dialog.findChild<QPushButton*>(QStringLiteral("restoreBackupButton"));
    enabled = {backup->isEnabled(), restore->isEnabled()};
    if (toClick) dialog.findChild<QPushButton*>(QString::fromLatin1(toClick))->click();
  };
  Trigger("setupAction");
  QCOMPARE(enabled, (QList<bool>{false, false}));

  Plug();
  prompts_->shown.clear();
  const std::filesystem::path backup = folder_->path() / "mine.seem";
  prompts_->savePaths.push_back(backup);
  toClick = "backupSeemButton";
  Trigger("setupAction");
  QCOMPARE(enabled, (QList<bool>{true, true}));
  QCOMPARE(prompts_->saveTitles, std::vector<std::string>{"Save SEEM backup as"});
  const std::optional<Bytes> record = storage_->ReadSeem(kSeemMenuFlags, kSeemRecordOne);
  QVERIFY(record.has_value());
  QCOMPARE(test::ReadText(backup), std::string(record->begin(), record->end()));
  QCOMPARE(prompts_->shown,
           (std::vector<Message>{{"SEEM 0032_0001 backed up", "", MessageIcon::Information}}));

  const std::string changed(record->size(), '\x5A');
  test::WriteText(backup, changed);
  prompts_->openPaths.push_back(backup);
  prompts_->shown.clear();
  toClick = "restoreBackupButton";
  Trigger("setupAction");
  QCOMPARE(prompts_->openTitles, std::vector<std::string>{"Restore SEEM backup from"});
  const std::optional<Bytes> restored = storage_->ReadSeem(kSeemMenuFlags, kSeemRecordOne);
  QVERIFY(restored.has_value());
  QCOMPARE(std::string(restored->begin(), restored->end()), changed);
  QCOMPARE(
      prompts_->shown,
      (std::vector<Message>{{"Backup SEEM 0032_0001 restored", "", MessageIcon::Information}}));
}

// The library of the real program, against the simulator's server: the window sees the phone go
// when the simulator stops, and come back when it starts again.
void MainWindowPhoneTest::thePhoneOnTheSocketGoesAndComesBack() {
  WriteMenu(PhoneMenu(), {"PhoneBook", "Games"});
  const std::filesystem::path socket = folder_->path() / "phone.sock";
  auto server = std::make_unique<ServerThread>(storageRoot_, socket);
  Start(std::make_unique<SocketPhoneLibrary>(socket));
  window_->PollPhone();
  QCOMPARE(PhonePanel(), QString::fromLatin1(kConnectedPanel));

  server.reset();
  window_->PollPhone();
  QCOMPARE(PhonePanel(), QStringLiteral("Phone: None "));
  QVERIFY(!Enabled("openFromPhoneAction"));
  window_->PollPhone();
  QCOMPARE(PhonePanel(), QStringLiteral("Phone: None "));

  server = std::make_unique<ServerThread>(storageRoot_, socket);
  window_->PollPhone();
  QCOMPARE(PhonePanel(), QString::fromLatin1(kConnectedPanel));
  Trigger("openFromPhoneAction");
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"PhoneBook", "Games"}));
}

void MainWindowPhoneTest::unsavedChangesAreAskedAbout_data() {
  QTest::addColumn<QString>("command");  // an action, or "close"
  QTest::addColumn<SaveChoice>("answer");
  const std::pair<const char*, SaveChoice> answers[] = {
      {"Save", SaveChoice::Save}, {"Discard", SaveChoice::Discard}, {"Cancel", SaveChoice::Cancel}};
  for (const char* command : {"newAction", "openAction", "openFromPhoneAction", "close"})
    for (const auto& [name, answer] : answers)
      QTest::addRow("%s, %s", command, name) << QString::fromLatin1(command) << answer;
}

// Save writes the menu first, Discard drops it, Cancel leaves everything as it was.
void MainWindowPhoneTest::unsavedChangesAreAskedAbout() {
  QFETCH(QString, command);
  QFETCH(SaveChoice, answer);
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  WriteMenu("other.mma", {"Games", "PhoneBook"});
  Start();
  Plug();
  FadeIn();
  Trigger("newAction");
  AddToMenuRoot("Radio");
  prompts_->saveChoices = {answer};
  prompts_->savePaths.push_back("saved.mma");
  prompts_->openPaths.push_back("other.mma");
  if (command == QLatin1String("close"))
    window_->close();
  else
    Trigger(command.toLatin1().constData());

  QCOMPARE(prompts_->saveQuestions,
           (std::vector<Message>{
               {"Save changes to untitled?", "Unsaved changes", MessageIcon::Warning}}));
  QCOMPARE(QFileInfo::exists("saved.mma"), answer == SaveChoice::Save);
  if (answer == SaveChoice::Save) QCOMPARE(MenuRootNamesIn("saved.mma"), QStringList{"Radio"});
  const bool carriedOut = answer != SaveChoice::Cancel;
  QCOMPARE(prompts_->openTitles.size(), std::size_t{command == "openAction" && carriedOut});
  if (command == QLatin1String("close"))
    QCOMPARE(Child<QTimer>("fadeTimer")->isActive(), carriedOut);
  else
    QCOMPARE(Names(*window_->tree().menuRoot()) != QStringList{"Radio"}, carriedOut);
  QCOMPARE(window_->isWindowModified(),
           answer == SaveChoice::Cancel ||
               (answer == SaveChoice::Discard && command == QLatin1String("close")));
}

void MainWindowPhoneTest::saveToPhoneKeepsASafetyCopyThatCanBeRestored() {
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  const std::string original = test::ReadText(PhoneMenu());
  Start();
  Plug();
  Trigger("openFromPhoneAction");
  QVERIFY(window_->windowTitle().startsWith(QStringLiteral("phone[*] ")));
  AddToMenuRoot("Games");
  QVERIFY(window_->isWindowModified());
  prompts_->shown.clear();
  Trigger("saveToPhoneAction");
  QVERIFY(prompts_->shown.empty());
  QVERIFY(!window_->isWindowModified());
  QCOMPARE(StatusMessage(), QStringLiteral("The menu has been written to the phone"));
  std::vector<PhoneBackup> backups = ListPhoneBackups(folder_->backups());
  QCOMPARE(backups.size(), std::size_t{1});
  QCOMPARE(test::ReadText(backups[0].path), original);
  QCOMPARE(backups[0].imei, std::string("354678012345679"));
  const std::string saved = test::ReadText(PhoneMenu());

  // The list shows each copy's phone, IMEI and time in full; "Other file..." starts in the
  // folder of the copies.
  prompts_->openPaths.push_back(backups[0].path);
  prompts_->answers = {true};
  prompts_->onModal = [](QDialog& dialog) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("backupList"));
    QCOMPARE(list->topLevelItemCount(), 1);
    QTreeWidgetItem* row = list->topLevelItem(0);
    QCOMPARE(row->text(1), QStringLiteral("354678012345679"));
    QCOMPARE(row->text(2).size(), 19);
    for (int column = 0; column < 3; ++column)
      QVERIFY(list->columnWidth(column) >=
              list->fontMetrics().horizontalAdvance(row->text(column)));
    dialog.findChild<QPushButton*>(QStringLiteral("otherFileButton"))->click();
  };
  Trigger("restoreBackupAction");
  prompts_->onModal = nullptr;
  QCOMPARE(prompts_->modalTitles.back(), QStringLiteral("Restore phone backup"));
  QCOMPARE(prompts_->proposedNames.back(), folder_->backups().string());
  QCOMPARE(prompts_->asked.size(), std::size_t{1});
  QCOMPARE(test::ReadText(PhoneMenu()), original);
  // The phone's menu shown is no longer the phone's: it keeps its edits and is marked changed.
  QVERIFY(window_->isWindowModified());
  QCOMPARE(Names(*window_->tree().menuRoot()).size(), 2);
  QCOMPARE(
      StatusMessage(),
      QStringLiteral("The phone holds the restored backup; the menu shown here differs from it"));
  backups = ListPhoneBackups(folder_->backups());
  QCOMPARE(backups.size(), std::size_t{2});
  QCOMPARE(test::ReadText(backups[0].path), saved);
}

void MainWindowPhoneTest::withoutASafetyCopyNothingGoesToThePhone() {
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  const std::string original = test::ReadText(PhoneMenu());
  test::WriteText(folder_->path() / "data/menuforge", "a file where the folder goes");
  Start();
  Plug();
  Trigger("newAction");
  AddToMenuRoot("Games");
  prompts_->shown.clear();
  Trigger("saveToPhoneAction");
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QVERIFY(prompts_->shown[0].text.starts_with(kNoSafetyCopyText));
  QCOMPARE(test::ReadText(PhoneMenu()), original);
  QVERIFY(window_->isWindowModified());
  FadeIn();
  CloseAndFadeOut();
  QVERIFY(prompts_->asked.empty());
}

void MainWindowPhoneTest::theSaveQuestionComesBeforeTheRestartQuestion() {
  Start();
  Plug();
  FadeIn();
  Trigger("newAction");
  Trigger("saveToPhoneAction");
  AddToMenuRoot("Games");

  prompts_->saveChoices = {SaveChoice::Cancel};
  QVERIFY(!window_->close());
  QCOMPARE(prompts_->saveQuestions.size(), std::size_t{1});
  QVERIFY(prompts_->asked.empty());
  QVERIFY(!Child<QTimer>("fadeTimer")->isActive());

  prompts_->answers = {false};
  CloseAndFadeOut();
  QCOMPARE(prompts_->saveQuestions.size(), std::size_t{2});
  QCOMPARE(prompts_->asked,
           (std::vector<Message>{{kRestartQuestionText, "", MessageIcon::Question}}));
}

// The heading and lines of the changes dialog shown, then closed with `button`.
struct ShownChanges {
  QString heading;
  QStringList lines;
};

std::function<void(QDialog&)> RecordChanges(std::vector<ShownChanges>& shown, const char* button) {
  return [&shown, button](QDialog& dialog) {
    if (dialog.objectName() != QLatin1String("changesDialog")) {
      // The backup chooser: the newest copy.
      auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("backupList"));
      list->setCurrentItem(list->topLevelItem(0));
      dialog.accept();
      return;
    }
    ShownChanges changes{test::Find<QLabel>(dialog, "changesHeading")->text(), {}};
    auto* list = test::Find<QListWidget>(dialog, "comparisonList");
    for (int row = 0; row < list->count(); ++row) changes.lines << list->item(row)->text();
    shown.push_back(changes);
    test::Find<QPushButton>(dialog, button)->click();
  };
}

void MainWindowPhoneTest::restoreShowsChangesBeforeItAsks_data() {
  QTest::addColumn<bool>("phoneCopy");  // else the phone came back without its menu file
  QTest::addColumn<bool>("yes");
  QTest::newRow("phone menu, yes") << true << true;
  QTest::newRow("phone menu, no") << true << false;
  QTest::newRow("open menu, yes") << false << true;
}

// The phone holds PhoneBook and Games, its newest backup PhoneBook alone; the open menu also
// has Radio.
void MainWindowPhoneTest::restoreShowsChangesBeforeItAsks() {
  QFETCH(bool, phoneCopy);
  QFETCH(bool, yes);
  WriteMenu(PhoneMenu(), {"PhoneBook"});
  const std::string original = test::ReadText(PhoneMenu());
  Start();
  Plug();
  Trigger("openFromPhoneAction");
  AddToMenuRoot("Games");
  Trigger("saveToPhoneAction");
  const std::string saved = test::ReadText(PhoneMenu());
  AddToMenuRoot("Radio");
  if (!phoneCopy) {
    phone_->Unplug();
    window_->PollPhone();
    std::filesystem::remove(PhoneMenu());
    Plug();
  }
  const std::string backupName =
      ListPhoneBackups(folder_->backups()).front().path.filename().string();

  std::vector<ShownChanges> shown;
  prompts_->onModal = RecordChanges(shown, "closeButton");
  prompts_->showChangesPresses = 1;
  prompts_->answers = {yes};
  prompts_->asked.clear();
  Trigger("restoreBackupAction");
  prompts_->onModal = nullptr;

  QCOMPARE(prompts_->asked.size(), std::size_t{2});
  QCOMPARE(prompts_->asked[0], prompts_->asked[1]);
  QCOMPARE(shown.size(), std::size_t{1});
  if (phoneCopy) {
    QCOMPARE(shown[0].heading,
             QString::fromStdString("What the phone's menu would undergo if the backup " +
                                    backupName + " replaced it:"));
    QCOMPARE(shown[0].lines, QStringList{QStringLiteral("- Games")});
  } else {
    QCOMPARE(shown[0].heading,
             QString::fromStdString("No copy of the phone's menu is at hand. What the open menu "
                                    "would undergo if the backup " +
                                    backupName + " replaced it:"));
    QCOMPARE(shown[0].lines, (QStringList{QStringLiteral("- Games"), QStringLiteral("- Radio")}));
  }
  QCOMPARE(test::ReadText(PhoneMenu()), yes ? original : saved);
}

void MainWindowPhoneTest::saveToPhoneShowsChangesWhenSetTo_data() {
  QTest::addColumn<bool>("setting");
  QTest::addColumn<QString>("button");  // of the changes dialog
  QTest::addColumn<bool>("written");
  QTest::newRow("off") << false << QString() << true;
  QTest::newRow("on, yes") << true << "yesButton" << true;
  QTest::newRow("on, no") << true << "noButton" << false;
}

void MainWindowPhoneTest::saveToPhoneShowsChangesWhenSetTo() {
  QFETCH(bool, setting);
  QFETCH(QString, button);
  QFETCH(bool, written);
  if (setting) test::WriteText("menuforge.ini", "[setup]\r\nShowPhoneChanges=1\r\n");
  WriteMenu(PhoneMenu(), {"PhoneBook", "Games"});
  const std::string original = test::ReadText(PhoneMenu());
  Start();
  Plug();
  Trigger("openFromPhoneAction");
  AddToMenuRoot("Radio");
  std::vector<ShownChanges> shown;
  const QByteArray buttonName = button.toLatin1();
  prompts_->onModal = RecordChanges(shown, buttonName.constData());
  prompts_->shown.clear();
  Trigger("saveToPhoneAction");
  prompts_->onModal = nullptr;

  QVERIFY(prompts_->shown.empty());
  QCOMPARE(prompts_->modalTitles.size(), setting ? 1 : 0);
  if (setting) {
    QCOMPARE(prompts_->modalTitles.front(), QStringLiteral("Save to phone"));
    QCOMPARE(shown.front().heading, QStringLiteral("What the phone's menu will undergo:"));
    QCOMPARE(shown.front().lines, QStringList{QStringLiteral("+ Radio")});
  }
  QCOMPARE(MenuRootNamesIn(PhoneMenu()), written ? (QStringList{"PhoneBook", "Games", "Radio"})
                                                 : (QStringList{"PhoneBook", "Games"}));
  // No writes nothing: not even a safety copy.
  QCOMPARE(ListPhoneBackups(folder_->backups()).size(), written ? 1u : 0u);
  QCOMPARE(window_->isWindowModified(), !written);
  if (!written) QCOMPARE(test::ReadText(PhoneMenu()), original);
}

void MainWindowPhoneTest::theComparisonWithThePhoneGoesOutOfDate() {
  WriteMenu(PhoneMenu(), {"PhoneBook", "Games"});
  Start();
  Plug();
  Trigger("openFromPhoneAction");
  Child<QMenu>("fileMenu")->aboutToShow();
  QVERIFY(Enabled("comparePhoneAction"));
  Trigger("comparePhoneAction");
  auto* heading = Child<QLabel>("comparisonHeading");
  auto* list = Child<QListWidget>("comparisonList");
  QCOMPARE(heading->text(), QStringLiteral("The menus are the same"));
  AddToMenuRoot("Radio");
  QCoreApplication::processEvents();
  QCOMPARE(heading->text(), QStringLiteral("1 entry differs"));
  QCOMPARE(list->item(0)->text(), QStringLiteral("- Radio"));

  phone_->Unplug();
  window_->PollPhone();
  QCOMPARE(heading->text(),
           QStringLiteral("Out of date: the phone's menu may have changed since it was read"));
  QVERIFY(!list->isEnabled());
  // Edits still compare with the menu last read, under the warning.
  Trigger("undoAction");
  QCoreApplication::processEvents();
  QVERIFY(!list->isEnabled());
  QCOMPARE(list->count(), 0);
  QCOMPARE(heading->text(),
           QStringLiteral("Out of date: the phone's menu may have changed since it was read"));
  Child<QMenu>("fileMenu")->aboutToShow();
  QVERIFY(!Enabled("comparePhoneAction"));
}

QTEST_MAIN(MainWindowPhoneTest)
#include "test_main_window_phone.moc"

#include "app/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "app/drag_data.h"
#include "app/menu_tree_view.h"
#include "app/splash_window.h"
#include "app/working_folder_lock.h"
#include "base/version.h"
#include "catalog/firmware_profile.h"
#include "catalog/menu_opening.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "gui/window_test_files.h"
#include "phone/phone_socket_path.h"
#include "support/synthetic_firmware.h"

namespace menuforge {
namespace {

using test::ScriptedPrompts;

const Message kMismatch{kProfileMismatchOnLoadText, "Profile error", MessageIcon::Warning};
const Message kUpdated{kItemBaseUpdatedText, "Profile info", MessageIcon::Information};
const Message kCreated{kProfileCreatedText, "", MessageIcon::Information};
const Message kNotCreated{kProfileNotCreatedText, "", MessageIcon::Warning};
constexpr int kFadeInTicks = 25;
constexpr int kFadeOutTicks = 26;

// Two blocks before the version, so that the scan reports progress on the way.
void WriteFirmware(const std::string& version) {
  test::FirmwareLayout layout;
  layout.version = version;
  layout.versionAt = 2 * 65536;
  layout.tableAt = layout.versionAt + 512;
  const Bytes image = test::SyntheticFirmware(layout);
  test::WriteText("cg1.smg", std::string(image.begin(), image.end()));
}

QStringList Names(const MenuNode& parent) {
  QStringList names;
  for (const auto& child : parent.children())
    names << QString::fromStdString(child->record().itemName);
  return names;
}

}  // namespace
}  // namespace menuforge

using namespace menuforge;

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }
  void init();
  void cleanup();

  void startUpShowsTheInitialState();
  void startUpShowsItemBaseWarningsOnce();
  void startUpEmptiesTheLog();
  void menusAndToolBarShareTheCommands();
  void newGivesNineNodesWithMenuRootSelected();
  void openAddsUnknownItemsToTheItemBase_data();
  void openAddsUnknownItemsToTheItemBase();
  void openReportsAnUnreadableFile();
  void openDoesNothingWhenCancelled();
  void saveWritesOrShowsTheRefusal();
  void profilesSetTheFormatControls_data();
  void profilesSetTheFormatControls();
  void saveModeRadiosSetTheirDependents();
  void createNewMakesAndAppliesTheProfile();
  void createNewThatMakesNothingKeepsTheSelection_data();
  void createNewThatMakesNothingKeepsTheSelection();
  void contextMenusOnEachFixedPosition_data();
  void contextMenusOnEachFixedPosition();
  void itemMenuNeedsANodeAndAnEntry();
  void choosingAnEntryPopsTheItemMenu();
  void moveUpAndDownAtTheEnds();
  void customItemsAreNumberedInTurn();
  void shortcutEntriesGetShortcutData();
  void theMainMenuStopsAt245Entries();
  void deleteAsksFirst();
  void summaryFollowsTheSelectedNode();
  void dropsFollowTheRules_data();
  void dropsFollowTheRules();
  void droppingMovesOrInsertsBeforeTheTarget();
  void dragOverOpensAndTheDropClosesAgain();
  void fadeInStepsAndFadesTheSplash();
  void closeIsRefusedWhileFadingIn();
  void closeFadesOutThenDeletesWorkingFiles();
  void exitTakesTheSameWayAsClose();
  void aSecondProgramInTheFolderOnlyReadsIt();
  void setupAndAboutAreShownModally();
  void doubleClickOnTheItemLabelCutsOutTheTree();

 private:
  void Start();
  template <typename T>
  T* Child(const char* name) const {
    return test::Find<T>(*window_, name);
  }
  void Trigger(const char* action) { test::Trigger(*window_, action); }
  // On the box or circle rather than in the middle, which may lie past a short caption.
  static void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  MenuTreeView* View() const { return Child<MenuTreeView>("menuTree"); }
  MenuNode* Node(std::size_t position) const { return window_->tree().NodeAt(position); }
  void Select(const MenuNode* node) { View()->SelectNode(node); }
  void ChooseEntry(const char* displayName) { test::ChooseItemListEntry(*window_, displayName); }
  MenuNode* AddToMenuRoot(const char* displayName) {
    return test::AddToMenuRoot(*window_, displayName);
  }
  void ShowSummaryOf(const MenuNode* node);
  QString Summary() const { return Child<QPlainTextEdit>("itemSummary")->toPlainText(); }
  bool OfferDrop(QMimeData& data, const MenuNode* target);
  void Drop(QMimeData& data, const MenuNode* target);
  QPoint PointOf(const MenuNode* node) const;

  std::unique_ptr<test::WindowTestFolder> folder_;
  std::unique_ptr<MainWindow> window_;
  ScriptedPrompts* prompts_ = nullptr;
};

void MainWindowTest::init() { folder_ = std::make_unique<test::WindowTestFolder>(); }

void MainWindowTest::cleanup() {
  window_.reset();
  folder_.reset();
}

// The fade timer is stopped so that only the test moves the fade on.
void MainWindowTest::Start() {
  auto prompts = std::make_unique<ScriptedPrompts>();
  prompts_ = prompts.get();
  window_ = std::make_unique<MainWindow>(std::move(prompts));
  Child<QTimer>("fadeTimer")->stop();
}

void MainWindowTest::ShowSummaryOf(const MenuNode* node) {
  View()->expandAll();
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, PointOf(node));
}

QPoint MainWindowTest::PointOf(const MenuNode* node) const {
  auto* model = static_cast<MenuTreeModel*>(View()->model());
  return View()->visualRect(model->IndexFor(node)).center();
}

bool MainWindowTest::OfferDrop(QMimeData& data, const MenuNode* target) {
  const QPoint at = target ? PointOf(target) : View()->viewport()->rect().bottomRight();
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &enter);
  QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &move);
  return move.isAccepted();
}

void MainWindowTest::Drop(QMimeData& data, const MenuNode* target) {
  QVERIFY(OfferDrop(data, target));
  QDropEvent drop(PointOf(target), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &drop);
  QVERIFY(drop.isAccepted());
}

void MainWindowTest::startUpShowsTheInitialState() {
  test::WriteProfile("V3x", "36 0C 0", "PhoneBook\r\n");
  test::WriteProfile("C650", "22 06 1", "PhoneBook\r\n");
  Start();

  QCOMPARE(window_->windowTitle(), QString::fromStdString(WindowTitle()));
  QCOMPARE(window_->windowOpacity(), 0.0);
  QVERIFY(window_->tree().empty());
  QVERIFY(prompts_->shown.empty());
  QVERIFY(!test::ReadText("Profiles/itembase.dat").empty());

  auto* list = Child<QComboBox>("itemList");
  QVERIFY(!list->isEnabled());
  QCOMPARE(list->count(), 153);
  QCOMPARE(list->itemText(152), QStringLiteral("Custom item"));
  QCOMPARE(list->currentIndex(), -1);
  QCOMPARE(list->maxVisibleItems(), 16);

  auto* selector = Child<QComboBox>("profileSelector");
  QStringList entries;
  for (int i = 0; i < selector->count(); ++i) entries << selector->itemText(i);
  QCOMPARE(entries, (QStringList{"Default", "C650", "V3x", "Create new..."}));
  QCOMPARE(selector->currentIndex(), -1);

  QVERIFY(Child<QRadioButton>("saveMode36")->isChecked());
  QVERIFY(!Child<QCheckBox>("saveAllData")->isChecked());
  QVERIFY(!Child<QCheckBox>("c698pFix")->isEnabled());
  QVERIFY(!Child<QGroupBox>("iconAttributeGroup")->isEnabled());
  QVERIFY(Child<QRadioButton>("iconAttribute0C")->isChecked());
  QVERIFY(Child<QPlainTextEdit>("itemSummary")->isHidden());
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 0-byte  Entries: 0"));
  QCOMPARE(Child<QLabel>("phonePanel")->text(), QStringLiteral("Phone: None"));
  QCOMPARE(Child<QLabel>("formatPanel")->width(), 150);
  QCOMPARE(Child<QLabel>("phonePanel")->width(), 260);
  QCOMPARE(Child<QFrame>("connectionLamp")->palette().color(QPalette::Window), QColor(Qt::red));
  // The IMEI panel, wide enough for a full IMEI, widens the window beyond the other panels.
  const QLabel* imei = Child<QLabel>("imeiPanel");
  QCOMPARE(imei->text(), QStringLiteral("IMEI: N/A "));
  QVERIFY(imei->width() >= imei->fontMetrics().horizontalAdvance(" IMEI: 000000000000000"));
  QVERIFY(window_->width() >= 462 + imei->width());
  const QLabel* phone = Child<QLabel>("phonePanel");
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  QVERIFY(imei->x() >= phone->x() + phone->width());
  QVERIFY(imei->x() + imei->width() <= Child<QFrame>("connectionLamp")->parentWidget()->x());
}

void MainWindowTest::startUpShowsItemBaseWarningsOnce() {
  test::WriteText("Profiles/itembase.dat", "A;Alpha\r\nno separator\r\nB;Beta\r\nalso none\r\n");
  Start();
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QCOMPARE(prompts_->shown[0].caption, std::string("Warning"));
  QCOMPARE(prompts_->shown[0].icon, MessageIcon::Warning);
  QCOMPARE(Child<QComboBox>("itemList")->count(), 3);
}

void MainWindowTest::startUpEmptiesTheLog() {
  test::WriteText("p2klog.txt", "from the last run\r\n");
  Start();
  QVERIFY(QFileInfo::exists("p2klog.txt"));
  QCOMPARE(test::ReadText("p2klog.txt"), std::string());
}

void MainWindowTest::menusAndToolBarShareTheCommands() {
  Start();
  QStringList fileMenu;
  for (QAction* action : Child<QMenu>("fileMenu")->actions())
    fileMenu << (action->isSeparator() ? QStringLiteral("-") : action->text());
  QCOMPARE(fileMenu,
           (QStringList{"&New", "&Open", "Open &recent", "Compare &with", "&Save", "Save &as...",
                        "Open from &phone", "Save to p&hone", "&Restart Phone",
                        "Restore phone backup\u2026", "Apply changes from\u2026", "-", "E&xit"}));
  QStringList compareMenu;
  for (QAction* action : Child<QMenu>("compareMenu")->actions()) compareMenu << action->text();
  QCOMPARE(compareMenu, (QStringList{"&File...", "&Phone", "Phone &backup..."}));
  QStringList topLevel;
  for (QAction* action : window_->menuBar()->actions()) topLevel << action->text();
  QCOMPARE(topLevel, (QStringList{"&File", "&Edit", "&View", "Setup", "&Help"}));
  QStringList editMenu;
  for (QAction* action : Child<QMenu>("editMenu")->actions()) editMenu << action->text();
  QCOMPARE(editMenu, (QStringList{"&Undo", "&Redo"}));
  QStringList helpMenu;
  for (QAction* action : Child<QMenu>("helpMenu")->actions()) helpMenu << action->text();
  QCOMPARE(helpMenu, (QStringList{"Menuforge &help", "&About..."}));
  QCOMPARE(Child<QAction>("helpAction")->shortcut(), QKeySequence("F1"));
  QCOMPARE(Child<QAction>("exitAction")->shortcut(), QKeySequence("Ctrl+Q"));

  QCOMPARE(Child<QAction>("newAction")->shortcut(), QKeySequence("Ctrl+N"));
  QCOMPARE(Child<QAction>("openAction")->shortcut(), QKeySequence("Ctrl+O"));
  QCOMPARE(Child<QAction>("saveAction")->shortcut(), QKeySequence("Ctrl+S"));
  QCOMPARE(Child<QAction>("saveAsAction")->shortcut(), QKeySequence("Ctrl+Shift+S"));
  QCOMPARE(Child<QAction>("undoAction")->shortcut(), QKeySequence("Ctrl+Z"));
  QCOMPARE(Child<QAction>("redoAction")->shortcuts(),
           (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));

  struct Button {
    const char* action;
    const char* hint;
    bool enabled;
  };
  const Button buttons[] = {
      {"newAction", "Create new mma_ucp from scratch", true},
      {"openAction", "Open mma_ucp from file", true},
      {"saveAction", "Save mma_ucp to file\nOff until a menu is open: open one or start a new one",
       false},
      {"undoAction", "Nothing to undo", false},
      {"redoAction", "Nothing to redo", false},
      {"openFromPhoneAction", "Open mma_ucp from phone\nOff until a phone is connected", false},
      {"saveToPhoneAction",
       "Save mma_ucp to phone\nOff until a phone is connected and a menu is open", false},
      {"restartPhoneAction", "Restart phone\nOff until a phone is connected", false},
  };
  QList<QAction*> toolBar = Child<QToolBar>("toolBar")->actions();
  toolBar.removeIf([](QAction* action) { return action->isSeparator(); });
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    QAction* action = Child<QAction>(buttons[i].action);
    QCOMPARE(toolBar.at(static_cast<qsizetype>(i)), action);
    QCOMPARE(action->toolTip(), QString::fromLatin1(buttons[i].hint));
    QCOMPARE(action->isEnabled(), buttons[i].enabled);
  }
  // Turned on, a command's tooltip is its hint alone.
  Trigger("newAction");
  QCOMPARE(Child<QAction>("saveAction")->toolTip(), QStringLiteral("Save mma_ucp to file"));
  QCOMPARE(Child<QComboBox>("profileSelector")->toolTip(),
           QStringLiteral("Select a profile for target phone.\nProfile excludes unsupported mma "
                          "items and sets proper mma_ucp format"));
  QCOMPARE(Child<QRadioButton>("saveMode22")->toolTip(), QStringLiteral("Old mma_ucp format"));
  QCOMPARE(Child<QRadioButton>("saveMode36")->toolTip(), QStringLiteral("New mma_ucp format"));
  QCOMPARE(Child<QCheckBox>("saveAllData")->toolTip(),
           QStringLiteral("Save all mma data including currently unsupported"));
  QCOMPARE(Child<QCheckBox>("c698pFix")->toolTip(),
           QStringLiteral("Fix mma_ucp to act properly on R3624 FW"));
}

void MainWindowTest::newGivesNineNodesWithMenuRootSelected() {
  Start();
  Trigger("newAction");
  QCOMPARE(window_->tree().NodeCount(), std::size_t{9});
  QCOMPARE(View()->SelectedNode(), window_->tree().menuRoot());
  QCOMPARE(View()->currentIndex().data().toString(), QStringLiteral("Menu Root"));
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 0-byte  Entries: 0"));
  QVERIFY(Child<QAction>("saveAction")->isEnabled());
  QVERIFY(!Child<QAction>("saveToPhoneAction")->isEnabled());
  QVERIFY(Child<QComboBox>("itemList")->isEnabled());
  QVERIFY(Child<QPlainTextEdit>("itemSummary")->isHidden());

  AddToMenuRoot("Games");
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 0-byte  Entries: 1"));
}

void MainWindowTest::openAddsUnknownItemsToTheItemBase_data() {
  QTest::addColumn<bool>("chooseDefault");
  QTest::addColumn<std::vector<Message>>("messages");
  QTest::newRow("nothing selected") << false << std::vector<Message>{kMismatch, kUpdated};
  QTest::newRow("Default selected") << true << std::vector<Message>{kUpdated};
}

void MainWindowTest::openAddsUnknownItemsToTheItemBase() {
  QFETCH(bool, chooseDefault);
  QFETCH(std::vector<Message>, messages);
  QVERIFY(test::WriteMenuWithUnknownItem("menu.mma", "Zzz"));
  Start();
  if (chooseDefault) Q_EMIT Child<QComboBox>("profileSelector")->activated(0);

  prompts_->openPaths.push_back("menu.mma");
  Trigger("openAction");

  QCOMPARE(prompts_->openTitles, std::vector<std::string>{"Open mma file"});
  QCOMPARE(prompts_->shown, messages);
  const std::string itemBase = test::ReadText("Profiles/itembase.dat");
  QVERIFY(itemBase.ends_with("\r\nZzz;Zzz\r\n"));
  auto* list = Child<QComboBox>("itemList");
  QCOMPARE(list->count(), 154);
  QCOMPARE(list->itemText(152), QStringLiteral("Zzz"));
  QVERIFY(list->isEnabled());
  QCOMPARE(Child<QComboBox>("profileSelector")->currentIndex(), 0);
  QCOMPARE(Names(*window_->tree().menuRoot()), QStringList{"Zzz"});
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 36-byte  Entries: 1"));
  QVERIFY(Child<QAction>("saveAction")->isEnabled());

  // The panel tells the format the file was last saved in.
  Child<QRadioButton>("saveMode22")->click();
  prompts_->savePaths.push_back("menu22.mma");
  Trigger("saveAsAction");
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 22-byte  Entries: 1"));
}

void MainWindowTest::openReportsAnUnreadableFile() {
  test::WriteText("broken.mma", "not a menu");
  Start();
  prompts_->openPaths.push_back("broken.mma");
  Trigger("openAction");
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QCOMPARE(prompts_->shown[0].caption, std::string("Error"));
  QCOMPARE(prompts_->shown[0].icon, MessageIcon::Error);
  QVERIFY(!prompts_->shown[0].text.empty());
  QVERIFY(window_->tree().empty());
  QVERIFY(!Child<QAction>("saveAction")->isEnabled());
  QVERIFY(!Child<QComboBox>("itemList")->isEnabled());
}

void MainWindowTest::openDoesNothingWhenCancelled() {
  Start();
  Trigger("newAction");
  Trigger("openAction");
  QCOMPARE(window_->tree().NodeCount(), std::size_t{9});
  QVERIFY(prompts_->shown.empty());
}

void MainWindowTest::saveWritesOrShowsTheRefusal() {
  test::WriteProfile("Small", "36 0C 0", "PhoneBook\r\n");
  Start();
  Trigger("newAction");
  AddToMenuRoot("Games");
  prompts_->savePaths.push_back("saved.mma");
  Trigger("saveAction");
  QCOMPARE(prompts_->saveTitles, std::vector<std::string>{"Save mma as..."});
  QVERIFY(prompts_->shown.empty());
  QVERIFY(QFileInfo::exists("saved.mma"));

  Q_EMIT Child<QComboBox>("profileSelector")->activated(1);
  QCOMPARE(Child<QComboBox>("itemList")->count(), 2);
  QCOMPARE(window_->statusBar()->currentMessage(),
           QStringLiteral("The profile does not know 7 items of this menu: Message, RecentCall, "
                          "Mutilmedia \u2026 and 4 more"));
  prompts_->savePaths.push_back("refused.mma");
  Trigger("saveAsAction");
  QCOMPARE(prompts_->shown,
           (std::vector<Message>{{"mma_ucp doesn't match current profile\r\n"
                                  "Items the profile does not know:\r\nMessage\r\nRecentCall\r\n"
                                  "Mutilmedia\r\nDatebook\r\nMMRingStyle\r\nVoiceRecord\r\nGames",
                                  "Profile error", MessageIcon::Error}}));
  QVERIFY(!QFileInfo::exists("refused.mma"));
}

void MainWindowTest::profilesSetTheFormatControls_data() {
  QTest::addColumn<QString>("formatLine");
  QTest::addColumn<bool>("mode22");
  QTest::addColumn<bool>("attribute06");
  QTest::addColumn<bool>("fix");
  QTest::newRow("36 06 1") << "36 06 1" << false << false << true;
  QTest::newRow("22 06 0") << "22 06 0" << true << true << false;
  QTest::newRow("22 0C 1") << "22 0C 1" << true << false << true;
}

void MainWindowTest::profilesSetTheFormatControls() {
  QFETCH(QString, formatLine);
  QFETCH(bool, mode22);
  QFETCH(bool, attribute06);
  QFETCH(bool, fix);
  test::WriteProfile("P", formatLine.toStdString(), "PhoneBook\r\n");
  Start();
  auto* selector = Child<QComboBox>("profileSelector");
  Q_EMIT selector->activated(1);
  QCOMPARE(selector->currentIndex(), 1);
  QCOMPARE(Child<QRadioButton>("saveMode22")->isChecked(), mode22);
  QCOMPARE(Child<QRadioButton>("saveMode36")->isChecked(), !mode22);
  QCOMPARE(Child<QRadioButton>("iconAttribute06")->isChecked(), attribute06);
  QCOMPARE(Child<QGroupBox>("iconAttributeGroup")->isEnabled(), mode22);
  QCOMPARE(Child<QCheckBox>("c698pFix")->isChecked(), fix);
  QCOMPARE(Child<QComboBox>("itemList")->count(), 2);

  Q_EMIT selector->activated(0);
  QCOMPARE(selector->currentIndex(), 0);
  QVERIFY(Child<QRadioButton>("saveMode36")->isChecked());
  QVERIFY(Child<QRadioButton>("iconAttribute0C")->isChecked());
  QVERIFY(!Child<QGroupBox>("iconAttributeGroup")->isEnabled());
  QVERIFY(!Child<QCheckBox>("c698pFix")->isChecked());
  QVERIFY(!Child<QCheckBox>("c698pFix")->isEnabled());
  QCOMPARE(Child<QComboBox>("itemList")->count(), 153);
}

void MainWindowTest::saveModeRadiosSetTheirDependents() {
  Start();
  window_->show();
  Click(Child<QRadioButton>("saveMode22"));
  QVERIFY(Child<QGroupBox>("iconAttributeGroup")->isEnabled());
  QVERIFY(Child<QCheckBox>("c698pFix")->isEnabled());
  Click(Child<QRadioButton>("iconAttribute06"));
  Click(Child<QCheckBox>("c698pFix"));
  QVERIFY(Child<QCheckBox>("c698pFix")->isChecked());
  QVERIFY(Child<QRadioButton>("iconAttribute06")->isChecked());

  Click(Child<QRadioButton>("saveMode36"));
  QVERIFY(Child<QRadioButton>("iconAttribute0C")->isChecked());
  QVERIFY(!Child<QGroupBox>("iconAttributeGroup")->isEnabled());
  QVERIFY(!Child<QCheckBox>("c698pFix")->isChecked());
  QVERIFY(!Child<QCheckBox>("c698pFix")->isEnabled());
}

void MainWindowTest::createNewMakesAndAppliesTheProfile() {
  test::WriteProfile("V3x", "36 0C 0", "PhoneBook\r\n");
  WriteFirmware("R3624_G_0B");
  Start();
  auto* selector = Child<QComboBox>("profileSelector");
  prompts_->openPaths.push_back("cg1.smg");
  Q_EMIT selector->activated(2);

  QCOMPARE(prompts_->openTitles, std::vector<std::string>{"Select CG1 to create FW profile"});
  QCOMPARE(prompts_->shown, (std::vector<Message>{kUpdated, kCreated}));
  QStringList entries;
  for (int i = 0; i < selector->count(); ++i) entries << selector->itemText(i);
  QCOMPARE(entries, (QStringList{"Default", "R3624", "V3x", "Create new..."}));
  QCOMPARE(selector->currentIndex(), 1);
  QVERIFY(Child<QRadioButton>("saveMode22")->isChecked());
  QVERIFY(Child<QRadioButton>("iconAttribute0C")->isChecked());
  QVERIFY(Child<QCheckBox>("c698pFix")->isChecked());
  QCOMPARE(Child<QComboBox>("itemList")->count(), 6);
  QVERIFY(!window_->findChild<QPushButton*>("cancelScanButton"));
}

void MainWindowTest::createNewThatMakesNothingKeepsTheSelection_data() {
  QTest::addColumn<QString>("version");  // none: the dialog is cancelled
  QTest::addColumn<bool>("cancelScan");
  QTest::addColumn<std::vector<Message>>("messages");
  QTest::newRow("dialog cancelled") << QString() << false << std::vector<Message>{};
  QTest::newRow("no version") << "Q_" << false << std::vector<Message>{kNotCreated};
  QTest::newRow("scan cancelled") << "R3624_G_0B" << true << std::vector<Message>{};
}

void MainWindowTest::createNewThatMakesNothingKeepsTheSelection() {
  QFETCH(QString, version);
  QFETCH(bool, cancelScan);
  QFETCH(std::vector<Message>, messages);
  test::WriteProfile("V3x", "36 0C 0", "PhoneBook\r\n");
  Start();
  const std::string itemBase = test::ReadText("Profiles/itembase.dat");
  auto* selector = Child<QComboBox>("profileSelector");
  Q_EMIT selector->activated(1);
  if (!version.isEmpty()) {
    WriteFirmware(version.toStdString());
    prompts_->openPaths.push_back("cg1.smg");
  }
  // Runs while the scan lets pending events through.
  if (cancelScan)
    QTimer::singleShot(0, window_.get(), [this] {
      if (auto* cancel = window_->findChild<QPushButton*>("cancelScanButton")) cancel->click();
    });
  Q_EMIT selector->activated(2);

  QCOMPARE(prompts_->openTitles.size(), std::size_t{1});
  QCOMPARE(prompts_->shown, messages);
  QCOMPARE(selector->count(), 3);
  QCOMPARE(selector->currentIndex(), 1);
  QCOMPARE(Child<QComboBox>("itemList")->count(), 2);
  QCOMPARE(test::ReadText("Profiles/itembase.dat"), itemBase);
  QCOMPARE(QDir(QStringLiteral("Profiles")).entryList(QDir::Files).size(), 2);
}

void MainWindowTest::contextMenusOnEachFixedPosition_data() {
  QTest::addColumn<int>("position");
  QTest::addColumn<QList<bool>>("itemMenu");  // Add subitem, Add item, Replace
  QTest::addColumn<QList<bool>>("treeMenu");  // Modify item, Delete item, Move up, Move down
  QTest::newRow("Softkeys") << 0 << QList<bool>{false, false, false}
                            << QList<bool>{false, false, false, false};
  for (int key = 1; key <= 7; ++key)
    QTest::addRow("soft key %d", key)
        << key << QList<bool>{false, false, true} << QList<bool>{true, false, false, false};
  QTest::newRow("Menu Root") << 8 << QList<bool>{true, false, false}
                             << QList<bool>{false, false, false, false};
  QTest::newRow("only entry") << 9 << QList<bool>{true, true, true}
                              << QList<bool>{true, true, false, false};
}

void MainWindowTest::contextMenusOnEachFixedPosition() {
  QFETCH(int, position);
  QFETCH(QList<bool>, itemMenu);
  QFETCH(QList<bool>, treeMenu);
  Start();
  Trigger("newAction");
  AddToMenuRoot("Games");
  Select(Node(static_cast<std::size_t>(position)));

  Child<QMenu>("itemMenu")->popup(QPoint());
  QCOMPARE((QList<bool>{Child<QMenu>("addSubitemMenu")->menuAction()->isEnabled(),
                        Child<QMenu>("addItemMenu")->menuAction()->isEnabled(),
                        Child<QAction>("replaceAction")->isEnabled()}),
           itemMenu);
  Child<QMenu>("itemMenu")->hide();

  Child<QMenu>("treeMenu")->popup(QPoint());
  QCOMPARE((QList<bool>{Child<QAction>("modifyItemAction")->isEnabled(),
                        Child<QAction>("deleteItemAction")->isEnabled(),
                        Child<QAction>("moveUpAction")->isEnabled(),
                        Child<QAction>("moveDownAction")->isEnabled()}),
           treeMenu);
  Child<QMenu>("treeMenu")->hide();
}

void MainWindowTest::itemMenuNeedsANodeAndAnEntry() {
  Start();
  Trigger("newAction");
  Child<QMenu>("itemMenu")->popup(QPoint());
  QVERIFY(!Child<QMenu>("addSubitemMenu")->menuAction()->isEnabled());
  Child<QMenu>("itemMenu")->hide();

  Trigger("addSubitemLastAction");
  QCOMPARE(window_->tree().NodeCount(), std::size_t{9});
}

void MainWindowTest::choosingAnEntryPopsTheItemMenu() {
  Start();
  window_->show();
  auto* list = Child<QComboBox>("itemList");
  auto* menu = Child<QMenu>("itemMenu");
  Q_EMIT list->activated(3);
  QVERIFY(!menu->isVisible());

  Trigger("newAction");
  list->setCurrentIndex(3);
  Q_EMIT list->activated(3);
  QVERIFY(menu->isVisible());
  QCOMPARE(menu->pos().x(), list->mapToGlobal(QPoint(list->width() / 2, 0)).x());
  QVERIFY(Child<QMenu>("addSubitemMenu")->menuAction()->isEnabled());
  menu->hide();
}

void MainWindowTest::moveUpAndDownAtTheEnds() {
  Start();
  Trigger("newAction");
  MenuNode* a = AddToMenuRoot("Games");
  AddToMenuRoot("Radio");
  MenuNode* c = AddToMenuRoot("Theme");
  auto* treeMenu = Child<QMenu>("treeMenu");

  Select(a);
  treeMenu->popup(QPoint());
  QVERIFY(!Child<QAction>("moveUpAction")->isEnabled());
  QVERIFY(Child<QAction>("moveDownAction")->isEnabled());
  treeMenu->hide();
  Trigger("moveUpAction");
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Games", "Radio", "Theme"}));
  Trigger("moveDownAction");
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Radio", "Games", "Theme"}));
  QCOMPARE(View()->SelectedNode(), a);

  Select(c);
  treeMenu->popup(QPoint());
  QVERIFY(Child<QAction>("moveUpAction")->isEnabled());
  QVERIFY(!Child<QAction>("moveDownAction")->isEnabled());
  treeMenu->hide();
  Trigger("moveDownAction");
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Radio", "Games", "Theme"}));
  Trigger("moveUpAction");
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Radio", "Theme", "Games"}));
}

void MainWindowTest::customItemsAreNumberedInTurn() {
  Start();
  Trigger("newAction");
  Select(AddToMenuRoot("Games"));
  for (int i = 0; i < 3; ++i) {
    ChooseEntry("Custom item");
    Trigger("addItemBeforeAction");
    QCOMPARE(View()->SelectedNode()->record().itemName, "~" + std::to_string(i + 1));
  }
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"~3", "~2", "~1", "Games"}));
  QCOMPARE(View()->currentIndex().data().toString(), QStringLiteral("~3"));
}

void MainWindowTest::shortcutEntriesGetShortcutData() {
  Start();
  Trigger("newAction");
  MenuNode* shortcut = AddToMenuRoot("DialedCalls [SC]");
  MenuNode* plain = AddToMenuRoot("Games");
  QCOMPARE(shortcut->record().itemType, std::uint8_t{kShortcut});
  QVERIFY(shortcut->record().modified);
  QCOMPARE(plain->record().itemType, std::uint8_t{kPlainItem});
  QVERIFY(!plain->record().modified);

  window_->show();
  ShowSummaryOf(shortcut);
  QCOMPARE(Summary(), QStringLiteral("Item summary:\n\nShortcut data"));
}

void MainWindowTest::theMainMenuStopsAt245Entries() {
  Start();
  Trigger("newAction");
  Select(AddToMenuRoot("Games"));
  ChooseEntry("Radio");
  for (int i = 1; i < 245; ++i) Trigger("addItemBeforeAction");
  QCOMPARE(window_->tree().EntryCount(), std::size_t{245});
  QVERIFY(prompts_->shown.empty());

  Trigger("addItemBeforeAction");
  QCOMPARE(window_->tree().EntryCount(), std::size_t{245});
  QCOMPARE(prompts_->shown,
           (std::vector<Message>{{TooManyEntriesText(), "Warning", MessageIcon::Warning}}));
}

void MainWindowTest::deleteAsksFirst() {
  Start();
  Trigger("newAction");
  MenuNode* folder = AddToMenuRoot("Games");
  Select(folder);
  ChooseEntry("Radio");
  Trigger("addSubitemLastAction");
  AddToMenuRoot("Theme");
  const Message question{"The item and all its subitems will be deleted\r\n           Continue?",
                         "Warning", MessageIcon::Warning};

  Select(folder);
  prompts_->answers = {false};
  Trigger("deleteItemAction");
  QCOMPARE(prompts_->asked, std::vector<Message>{question});
  QCOMPARE(window_->tree().EntryCount(), std::size_t{3});

  prompts_->answers = {true};
  Trigger("deleteItemAction");
  QCOMPARE(prompts_->asked.size(), std::size_t{2});
  QCOMPARE(Names(*window_->tree().menuRoot()), QStringList{"Theme"});
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 0-byte  Entries: 1"));

  Select(window_->tree().menuRoot());
  Trigger("deleteItemAction");
  QCOMPARE(prompts_->asked.size(), std::size_t{2});
  QCOMPARE(window_->tree().NodeCount(), std::size_t{10});
}

void MainWindowTest::summaryFollowsTheSelectedNode() {
  Start();
  window_->show();
  Trigger("newAction");
  MenuNode* item = AddToMenuRoot("Games");
  auto* summary = Child<QPlainTextEdit>("itemSummary");
  const QString notModified = QStringLiteral("Item summary:\n\n[Not modified]");

  ShowSummaryOf(Node(3));
  QVERIFY(summary->isVisible());
  QCOMPARE(Summary(), notModified);
  ShowSummaryOf(window_->tree().softkeys());
  QVERIFY(summary->isHidden());
  ShowSummaryOf(item);
  QVERIFY(summary->isVisible());
  QCOMPARE(Summary(), notModified);
  ShowSummaryOf(window_->tree().menuRoot());
  QVERIFY(summary->isHidden());

  ShowSummaryOf(item);
  Trigger("newAction");
  QVERIFY(summary->isHidden());
  QCOMPARE(Summary(), QString());
}

void MainWindowTest::dropsFollowTheRules_data() {
  QTest::addColumn<bool>("fromTree");
  QTest::addColumn<int>("dragged");
  QTest::addColumn<int>("target");
  QTest::addColumn<bool>("accepted");
  QTest::newRow("entry onto an entry") << false << 0 << 10 << true;
  QTest::newRow("entry onto Menu Root") << false << 0 << 8 << false;
  QTest::newRow("entry onto a soft key") << false << 0 << 4 << false;
  QTest::newRow("entry onto Softkeys") << false << 0 << 0 << false;
  QTest::newRow("entry onto nothing") << false << 0 << -1 << false;
  QTest::newRow("entry onto the first entry") << false << 0 << 9 << true;
  QTest::newRow("node onto a node") << true << 10 << 9 << true;
  QTest::newRow("node onto Menu Root") << true << 10 << 8 << false;
  QTest::newRow("node onto a soft key") << true << 10 << 7 << false;
  QTest::newRow("node onto nothing") << true << 10 << -1 << false;
  QTest::newRow("Menu Root dragged") << true << 8 << 10 << false;
  QTest::newRow("soft key dragged") << true << 1 << 10 << false;
  QTest::newRow("Softkeys dragged") << true << 0 << 10 << false;
}

void MainWindowTest::dropsFollowTheRules() {
  QFETCH(bool, fromTree);
  QFETCH(int, dragged);
  QFETCH(int, target);
  QFETCH(bool, accepted);
  Start();
  window_->show();
  Trigger("newAction");
  AddToMenuRoot("Games");
  AddToMenuRoot("Radio");
  View()->expandAll();

  const MenuNode* over = target < 0 ? nullptr : Node(static_cast<std::size_t>(target));
  std::unique_ptr<QMimeData> data;
  if (fromTree)
    data = std::make_unique<NodeDragData>(Node(static_cast<std::size_t>(dragged)));
  else
    data = std::make_unique<EntryDragData>(0, QStringLiteral("2CLICK"));
  QCOMPARE(OfferDrop(*data, over), accepted);

  QMimeData foreign;
  foreign.setText(QStringLiteral("Games"));
  QVERIFY(!OfferDrop(foreign, Node(9)));
}

void MainWindowTest::droppingMovesOrInsertsBeforeTheTarget() {
  Start();
  window_->show();
  Trigger("newAction");
  MenuNode* a = AddToMenuRoot("Games");
  MenuNode* b = AddToMenuRoot("Radio");
  MenuNode* c = AddToMenuRoot("Theme");
  View()->expandAll();

  NodeDragData moved(c);
  Drop(moved, a);
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Theme", "Games", "Radio"}));

  const int custom = Child<QComboBox>("itemList")->count() - 1;
  EntryDragData entry(static_cast<std::size_t>(custom), QStringLiteral("Custom item"));
  Drop(entry, b);
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Theme", "Games", "~1", "Radio"}));
  QCOMPARE(View()->SelectedNode()->record().itemName, std::string("~1"));
  QCOMPARE(Child<QLabel>("formatPanel")->text(), QStringLiteral("Format: 0-byte  Entries: 4"));
}

void MainWindowTest::dragOverOpensAndTheDropClosesAgain() {
  Start();
  window_->show();
  Trigger("newAction");
  MenuNode* folder = AddToMenuRoot("Games");
  Select(folder);
  ChooseEntry("Radio");
  Trigger("addSubitemLastAction");
  MenuNode* other = AddToMenuRoot("Theme");
  auto* model = static_cast<MenuTreeModel*>(View()->model());
  View()->collapse(model->IndexFor(folder));

  NodeDragData moved(other);
  QVERIFY(OfferDrop(moved, folder));
  QVERIFY(View()->isExpanded(model->IndexFor(folder)));
  Drop(moved, folder);
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Theme", "Games"}));
  QVERIFY(!View()->isExpanded(model->IndexFor(folder)));
  QVERIFY(View()->isExpanded(model->IndexFor(window_->tree().menuRoot())));

  // A refused drop closes what the drag opened as well.
  QVERIFY(OfferDrop(moved, folder));
  QVERIFY(View()->isExpanded(model->IndexFor(folder)));
  QDropEvent refused(PointOf(window_->tree().menuRoot()), Qt::MoveAction, &moved, Qt::LeftButton,
                     Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &refused);
  QVERIFY(!refused.isAccepted());
  QVERIFY(!View()->isExpanded(model->IndexFor(folder)));
}

void MainWindowTest::fadeInStepsAndFadesTheSplash() {
  Start();
  auto* splash = window_->findChild<SplashWindow*>();
  QVERIFY(splash->isVisible());
  auto* timer = Child<QTimer>("fadeTimer");
  QList<int> opacities;
  QList<int> splashOpacities;
  QSignalSpy finished(window_.get(), &MainWindow::FadeInFinished);
  for (int tick = 0; tick < kFadeInTicks; ++tick) {
    window_->FadeTimerTick();
    opacities << qRound(window_->windowOpacity() * 255);
    splashOpacities << splash->Opacity();
  }
  QList<int> expected;
  for (int value = 0; value <= 230; value += 10) expected << value;
  expected << 255;
  QCOMPARE(opacities, expected);
  QCOMPARE(splashOpacities.mid(11, 4), (QList<int>{200, 180, 160, 140}));
  QCOMPARE(splashOpacities.mid(20, 3), (QList<int>{20, 0, 0}));
  QVERIFY(splash->isHidden());
  QCOMPARE(finished.count(), 1);
  QVERIFY(!timer->isActive());
  QCOMPARE(timer->interval(), 30);
}

void MainWindowTest::closeIsRefusedWhileFadingIn() {
  Start();
  window_->show();
  for (int tick = 0; tick < 5; ++tick) window_->FadeTimerTick();
  QVERIFY(!window_->close());
  QVERIFY(window_->isVisible());
  QVERIFY(!Child<QTimer>("fadeTimer")->isActive());
  for (int tick = 5; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();
  QCOMPARE(window_->windowOpacity(), 1.0);
}

void MainWindowTest::closeFadesOutThenDeletesWorkingFiles() {
  for (const char* name : {"mma_temp", "j2mest_temp", "j2mest_mmc"}) test::WriteText(name, "x");
  Start();
  window_->show();
  for (int tick = 0; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();

  QVERIFY(!window_->close());
  auto* timer = Child<QTimer>("fadeTimer");
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 30);
  timer->stop();
  for (int tick = 1; tick < kFadeOutTicks; ++tick) {
    window_->FadeTimerTick();
    QVERIFY(window_->isVisible());
    QCOMPARE(qRound(window_->windowOpacity() * 255), 255 - 10 * (tick - 1));
  }
  QVERIFY(QFileInfo::exists("mma_temp"));
  window_->FadeTimerTick();
  QVERIFY(!window_->isVisible());
  QCOMPARE(window_->windowOpacity(), 0.0);
  for (const char* name : {"mma_temp", "j2mest_temp", "j2mest_mmc"})
    QVERIFY2(!QFileInfo::exists(name), name);
}

void MainWindowTest::aSecondProgramInTheFolderOnlyReadsIt() {
  // The first program holds the folder.
  WorkingFolderLock first(folder_->path());
  QCOMPARE(first.Take([](const Message&) { return false; }), FolderAccess::Writable);

  // What the first program left stays as it is, and nothing new is written.
  for (const char* name : {"mma_temp", "p2klog.txt"}) test::WriteText(name, "kept");
  std::filesystem::create_directory("menus");
  QVERIFY(test::WriteMenuWithUnknownItem("menus/unknown.mma", "NewThing"));
  const auto listing = [this] {
    QStringList names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_->path()))
      names << QString::fromStdString(entry.path().string());
    names.sort();
    return names;
  };
  const QStringList before = listing();
  auto prompts = std::make_unique<ScriptedPrompts>();
  prompts_ = prompts.get();
  window_ = std::make_unique<MainWindow>(std::move(prompts), nullptr, nullptr, true);
  Child<QTimer>("fadeTimer")->stop();
  QVERIFY(window_->windowTitle().endsWith(QStringLiteral("(read-only folder)")));
  window_->OpenFile("menus/unknown.mma");
  auto* selector = Child<QComboBox>("profileSelector");
  Q_EMIT selector->activated(selector->count() - 1);
  QCOMPARE(prompts_->shown.back().text, std::string(kReadOnlyFolderText));
  QVERIFY(prompts_->openTitles.empty());
  window_->show();
  for (int tick = 0; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();
  QVERIFY(!window_->close());
  for (int tick = 0; tick < kFadeOutTicks; ++tick) window_->FadeTimerTick();
  window_.reset();
  QCOMPARE(listing(), before);
  QCOMPARE(test::ReadText("p2klog.txt"), std::string("kept"));
}

void MainWindowTest::exitTakesTheSameWayAsClose() {
  Start();
  window_->show();
  for (int tick = 0; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();
  Trigger("exitAction");
  QVERIFY(window_->isVisible());
  QVERIFY(Child<QTimer>("fadeTimer")->isActive());
}

void MainWindowTest::setupAndAboutAreShownModally() {
  Start();
  Trigger("setupAction");
  Trigger("aboutAction");
  QCOMPARE(prompts_->modalTitles, (std::vector<QString>{"Settings", "About"}));
  // Run from the build folder, Help finds the README of the sources.
  Trigger("helpAction");
  QCOMPARE(prompts_->openedDocuments.size(), std::size_t{1});
  QCOMPARE(prompts_->openedDocuments[0].filename(), std::filesystem::path("README.md"));
  QVERIFY(prompts_->shown.empty());
}

void MainWindowTest::doubleClickOnTheItemLabelCutsOutTheTree() {
  Start();
  window_->show();
  auto* label = Child<QLabel>("availableItemsLabel");
  const QPoint treeCentre = View()->mapTo(window_.get(), View()->rect().center());

  QTest::mouseDClick(label, Qt::LeftButton);
  QCOMPARE(window_->windowTitle(), QStringLiteral("O-ops... We must have done smth wrong :("));
  QVERIFY(View()->isHidden());
  QVERIFY(!window_->mask().isEmpty());
  QVERIFY(!window_->mask().contains(treeCentre));
  QVERIFY(window_->mask().contains(label->mapTo(window_.get(), label->rect().center())));
  // A larger window shows all its new area; only the tree's place stays cut out.
  window_->resize(window_->size() + QSize(200, 150));
  const QPoint grownCorner(window_->width() - 3, window_->height() - 3);
  QTRY_VERIFY(window_->mask().contains(grownCorner));
  QVERIFY(!window_->mask().contains(View()->mapTo(window_.get(), View()->rect().bottomLeft())));

  QTest::mouseDClick(label, Qt::LeftButton);
  QCOMPARE(window_->windowTitle(), QString::fromStdString(WindowTitle()));
  QVERIFY(View()->isVisible());
  QVERIFY(window_->mask().isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"

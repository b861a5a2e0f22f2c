// The main window's side views: the phone preview follows the document and the tree, and the
// comparison lists what differs from another file and leads to the entry in the tree.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/compare_panel.h"
#include "app/main_window.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "app/phone_preview_dock.h"
#include "catalog/item_base_file.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "gui/window_test_files.h"
#include "menu/mma_saver.h"
#include "support/sample_menus.h"

namespace menuforge {
namespace {

MenuNode* Named(const MenuTree& tree, const std::string& itemName) {
  MenuNode* found = nullptr;
  tree.ForEach([&](MenuNode& node) {
    if (!found && node.record().itemName == itemName) found = &node;
  });
  if (!found) qFatal("no node %s", itemName.c_str());
  return found;
}

void WriteMenu(const std::filesystem::path& path, MenuTree& tree) {
  if (SaveMenuFile(path, tree, FormatOptions{}, ItemTable(BuiltInItemBase())).status() !=
      SaveStatus::Saved)
    qFatal("cannot write the menu");
}

QStringList Shown(const PhonePreviewDock& dock) {
  QStringList names;
  for (const PreviewEntry& entry : dock.scene().entries)
    names << QString::fromStdString(entry.node->record().itemName);
  return names;
}

}  // namespace
}  // namespace menuforge

using namespace menuforge;

class MainWindowViewsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }
  void init() {
    folder_ = std::make_unique<test::WindowTestFolder>();
    MenuTree sample;
    test::BuildSampleMenu(sample);
    WriteMenu("menu.mma", sample);
    auto prompts = std::make_unique<test::ScriptedPrompts>();
    prompts_ = prompts.get();
    window_ = std::make_unique<MainWindow>(std::move(prompts));
    test::Find<QTimer>(*window_, "fadeTimer")->stop();
    window_->show();
    window_->OpenFile("menu.mma");
    Dock()->hide();
  }
  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  void thePreviewFollowsEveryEdit_data();
  void thePreviewFollowsEveryEdit();
  void thePreviewAndTheTreeFollowEachOther();
  void theComparisonLeadsToTheEntry_data();
  void theComparisonLeadsToTheEntry();
  void theComparisonFollowsTheMenu_data();
  void theComparisonFollowsTheMenu();
  void unsavedChangesCanBeShownFirst();

 private:
  PhonePreviewDock* Dock() const {
    return test::Find<PhonePreviewDock>(*window_, "phonePreviewDock");
  }
  MenuTreeView* View() const { return test::Find<MenuTreeView>(*window_, "menuTree"); }
  MenuNode* Node(const char* itemName) const { return Named(window_->tree(), itemName); }
  void Select(const char* itemName) { View()->SelectNode(Node(itemName)); }

  std::unique_ptr<test::WindowTestFolder> folder_;
  std::unique_ptr<MainWindow> window_;
  test::ScriptedPrompts* prompts_ = nullptr;
};

void MainWindowViewsTest::thePreviewFollowsEveryEdit_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<QStringList>("shown");
  const QStringList asOpened{"Calculator", "~1", "Camera"};
  QTest::newRow("delete") << "deleteItemAction" << QStringList{"Calculator", "~1"};
  QTest::newRow("move") << "moveUpAction" << QStringList{"Calculator", "Camera", "~1"};
  QTest::newRow("undo") << "undoAction" << asOpened;
  QTest::newRow("new") << "newAction" << QStringList{};
}

void MainWindowViewsTest::thePreviewFollowsEveryEdit() {
  QFETCH(QString, action);
  QFETCH(QStringList, shown);
  test::Trigger(*window_, "phonePreviewAction");
  QVERIFY(Dock()->isVisible());
  Select("Camera");
  QCOMPARE(Dock()->folder(), Node("Games"));
  if (action == "undoAction") test::Trigger(*window_, "deleteItemAction");
  prompts_->answers = {true};
  test::Trigger(*window_, action.toLatin1().constData());
  QCOMPARE(Shown(*Dock()), shown);
  if (action == "newAction") QCOMPARE(Dock()->folder(), window_->tree().menuRoot());
}

void MainWindowViewsTest::thePreviewAndTheTreeFollowEachOther() {
  test::Trigger(*window_, "phonePreviewAction");
  Select("Games");
  QCOMPARE(Dock()->folder(), window_->tree().menuRoot());
  QCOMPARE(Dock()->scene().entries[Dock()->scene().highlighted].node, Node("Games"));
  // As a click on the folder in the preview does.
  Dock()->ShowFolder(Node("Settings"));
  Q_EMIT Dock()->folderOpened(Node("Settings"));
  auto* model = static_cast<MenuTreeModel*>(View()->model());
  QCOMPARE(model->NodeFrom(View()->currentIndex()), Node("Settings"));
  QCOMPARE(Dock()->folder(), Node("Settings"));
  test::Trigger(*window_, "phonePreviewAction");
  QVERIFY(!Dock()->isVisible());
}

void MainWindowViewsTest::theComparisonLeadsToTheEntry_data() {
  QTest::addColumn<QByteArray>("other");  // empty: the menu as opened, before two edits
  QTest::addColumn<QStringList>("lines");
  QTest::addColumn<QStringList>("selected");  // after a click on each line
  QTest::addColumn<bool>("error");
  // The open menu is the first: its lines say what replacing it by the file would change. An
  // entry only the file has cannot be selected: nothing is, and the panel says where it is.
  QTest::newRow("two edits") << QByteArray()
                             << QStringList{"> Games/~1", "~ Settings", "+ Settings/Tools"}
                             << QStringList{"~1", "Settings", ""} << false;
  QTest::newRow("no menu") << QByteArray("not a menu") << QStringList{} << QStringList{} << true;
}

void MainWindowViewsTest::theComparisonLeadsToTheEntry() {
  QFETCH(QByteArray, other);
  QFETCH(QStringList, lines);
  QFETCH(QStringList, selected);
  QFETCH(bool, error);
  if (other.isEmpty()) {
    std::filesystem::copy_file("menu.mma", "other.mma");
    Select("Camera");
    test::Trigger(*window_, "moveUpAction");
    Select("Tools");
    prompts_->answers = {true};
    test::Trigger(*window_, "deleteItemAction");
  } else {
    QFile file(QStringLiteral("other.mma"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(other);
  }
  prompts_->openPaths.push_back("other.mma");
  test::Trigger(*window_, "compareAction");
  auto* list = test::Find<QListWidget>(*window_, "comparisonList");
  QCOMPARE(prompts_->shown.size(), error ? 1u : 0u);
  QCOMPARE(list->isVisible(), !error);
  if (error) return;
  QCOMPARE(list->count(), lines.size());
  for (int row = 0; row < lines.size(); ++row) {
    QVERIFY2(list->item(row)->text().startsWith(lines[row]), qPrintable(list->item(row)->text()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    auto* model = static_cast<MenuTreeModel*>(View()->model());
    const MenuNode* node = model->NodeFrom(View()->currentIndex());
    QCOMPARE(node ? QString::fromStdString(node->record().itemName) : QString(), selected[row]);
    QCOMPARE(View()->selectionModel()->hasSelection(), node != nullptr);
  }
  QCOMPARE(test::Find<QLabel>(*window_, "comparisonWhere")->text(),
           QStringLiteral("Only in the other menu, at Settings #1"));
  // New compares again: every entry of the file is one the new menu lacks.
  test::Trigger(*window_, "newAction");
  QCoreApplication::processEvents();
  QVERIFY(list->isVisible());
  QVERIFY(list->count() > lines.size());
}

void MainWindowViewsTest::theComparisonFollowsTheMenu_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QString>("heading");
  QTest::addColumn<QStringList>("lines");  // their starts
  // Which changes the comparison follows is the document's rule, tested with it; these rows
  // check that the panel shows what it says. The emptied folder is no folder any more.
  QTest::newRow("redo") << QStringList{"delete", "undoAction", "redoAction"} << "2 entries differ"
                        << QStringList{"~ Settings: Item function: [None] (0) \u2192 folder (1)",
                                       "+ Settings/Tools"};
  QTest::newRow("format") << QStringList{"saveMode22"} << QString::fromUtf8(kFormatOnlyHeading)
                          << QStringList{"~ format: MMA save mode: 22-byte \u2192 36-byte"};
}

void MainWindowViewsTest::theComparisonFollowsTheMenu() {
  QFETCH(QStringList, steps);
  QFETCH(QString, heading);
  QFETCH(QStringList, lines);
  std::filesystem::copy_file("menu.mma", "other.mma");
  prompts_->openPaths.push_back("other.mma");
  test::Trigger(*window_, "compareAction");
  for (const QString& step : steps) {
    if (step == "delete") {
      Select("Tools");
      prompts_->answers = {true};
      test::Trigger(*window_, "deleteItemAction");
    } else if (step == "saveMode22") {
      test::Find<QRadioButton>(*window_, "saveMode22")->click();
    } else {
      test::Trigger(*window_, step.toLatin1().constData());
    }
  }
  // The comparison runs once the edit is complete, as the event loop turns.
  QCoreApplication::processEvents();
  auto* list = test::Find<QListWidget>(*window_, "comparisonList");
  QCOMPARE(test::Find<QLabel>(*window_, "comparisonHeading")->text(), heading);
  QCOMPARE(list->count(), lines.size());
  for (int row = 0; row < lines.size(); ++row)
    QVERIFY2(list->item(row)->text().startsWith(lines[row]), qPrintable(list->item(row)->text()));
}

// "Show changes" in the question about unsaved changes lists them, then the question comes
// again and its answer is carried out.
void MainWindowViewsTest::unsavedChangesCanBeShownFirst() {
  Select("Tools");
  prompts_->answers = {true};
  test::Trigger(*window_, "deleteItemAction");
  QString heading;
  QStringList shown;
  prompts_->onModal = [&](QDialog& dialog) {
    heading = test::Find<QLabel>(dialog, "changesHeading")->text();
    auto* list = test::Find<QListWidget>(dialog, "comparisonList");
    for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
    test::Find<QPushButton>(dialog, "closeButton")->click();
  };
  prompts_->showChangesPresses = 1;
  prompts_->saveChoices = {SaveChoice::Discard};
  test::Trigger(*window_, "newAction");
  QCOMPARE(prompts_->saveQuestions.size(), std::size_t{2});
  QCOMPARE(prompts_->modalTitles, std::vector<QString>{QStringLiteral("Unsaved changes")});
  QCOMPARE(heading,
           QStringLiteral("The changes not yet saved, from menu.mma on disk to the open menu:"));
  QCOMPARE(shown, (QStringList{
                      QString::fromUtf8("~ Settings: Item function: folder (1) \u2192 [None] (0)"),
                      QStringLiteral("- Settings/Tools")}));
  QVERIFY(window_->tree().menuRoot()->children().empty());
  QVERIFY(prompts_->shown.empty());
  prompts_->onModal = nullptr;
}

QTEST_MAIN(MainWindowViewsTest)
#include "test_main_window_views.moc"

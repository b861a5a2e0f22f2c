// The main window as the editor of one menu: undo and redo of every edit, the title, Save to the
// current file, the recent files, a file dropped onto it, a failed Open, the keyboard and the
// window's size.
#include "app/main_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <QtTest>

#include "app/drag_data.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "base/version.h"
#include "catalog/item_base_file.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "gui/window_test_files.h"
#include "support/sample_menus.h"
#include "workspace/recent_files.h"

namespace menuforge {
namespace {

using test::ScriptedPrompts;

constexpr int kFadeInTicks = 25;
constexpr int kFadeOutTicks = 26;

QStringList Names(const MenuNode& parent) {
  QStringList names;
  for (const auto& child : parent.children())
    names << QString::fromStdString(child->record().itemName);
  return names;
}

MenuNode* Named(const MenuTree& tree, const std::string& itemName) {
  MenuNode* found = nullptr;
  tree.ForEach([&](MenuNode& node) {
    if (!found && node.record().itemName == itemName) found = &node;
  });
  if (!found) qFatal("no node %s", itemName.c_str());
  return found;
}

// The sample menu, whose entries carry every kind of data.
void WriteSampleMenu(const std::filesystem::path& path) {
  MenuTree tree;
  test::BuildSampleMenu(tree);
  FormatOptions options;
  options.saveAllData = true;
  if (SaveMenuFile(path, tree, options, ItemTable(BuiltInItemBase())).status() != SaveStatus::Saved)
    qFatal("cannot write the sample menu");
}

QString Absolute(const char* name) {
  return QFileInfo(QString::fromLatin1(name)).absoluteFilePath();
}

}  // namespace
}  // namespace menuforge

using namespace menuforge;

class MainWindowDocumentTest : public QObject {
  Q_OBJECT

 public:
  using Edit = void (MainWindowDocumentTest::*)();

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }
  void init() { folder_ = std::make_unique<test::WindowTestFolder>(); }
  void cleanup() {
    window_.reset();
    folder_.reset();
  }

  void eachEditIsUndoneAndRedoneByteForByte_data();
  void eachEditIsUndoneAndRedoneByteForByte();
  void tenUndosGiveBackTheMenuAsOpened();
  void theTitleNamesTheMenuAndMarksChanges();
  void saveWritesToTheCurrentFile();
  void recentFilesSurviveARestart();
  void aDroppedFileOpensAfterTheQuestion();
  void aFailedOpenLeavesTheWindowAsItWas();
  void keysAndDoubleClickReachTheTreeCommands();
  void theWindowGrowsAndKeepsItsSize();

 private:
  void Start();
  template <typename T>
  T* Child(const char* name) const {
    return test::Find<T>(*window_, name);
  }
  void Trigger(const char* action) { test::Trigger(*window_, action); }
  MenuTreeView* View() const { return Child<MenuTreeView>("menuTree"); }
  MenuNode* Node(const char* itemName) const { return Named(window_->tree(), itemName); }
  void Select(const char* itemName) { View()->SelectNode(Node(itemName)); }
  void ChooseEntry(const char* displayName) { test::ChooseItemListEntry(*window_, displayName); }
  void Drop(QMimeData& data, const MenuNode* target);
  std::string SaveAs(const char* name);
  void OpenSample();
  QString ShownTitle() const { return window_->windowHandle()->title(); }

  // The edits, each as the user makes it.
  void AddSubitem() {
    Select("Games");
    ChooseEntry("Radio");
    Trigger("addSubitemLastAction");
  }
  void AddCustomItem() {
    Select("Games");
    ChooseEntry("Custom item");
    Trigger("addItemBeforeAction");
  }
  void Replace() {
    Select("Camera");
    ChooseEntry("Radio");
    Trigger("replaceAction");
  }
  void Delete() {
    Select("Games");
    prompts_->answers = {true};
    Trigger("deleteItemAction");
  }
  void MoveUp() {
    Select("Settings");
    Trigger("moveUpAction");
  }
  void MoveDown() {
    Select("Browser");
    Trigger("moveDownAction");
  }
  void DragNode() {
    NodeDragData dragged(Node("Tools"));
    Drop(dragged, Node("Calculator"));
  }
  void DropEntry() {
    const int radio = Child<QComboBox>("itemList")->findText(QStringLiteral("Radio"));
    EntryDragData entry(static_cast<std::size_t>(radio), QStringLiteral("Radio"));
    Drop(entry, Node("Browser"));
  }
  void ModifyInTheEditor() {
    Select("Tools");
    prompts_->onModal = [](QDialog& editor) {
      editor.show();
      auto* function = test::Find<QComboBox>(editor, "functionChoice");
      function->setCurrentIndex(function->findText(QStringLiteral("URL link")));
      QTest::keyClicks(test::Find<QLineEdit>(editor, "urlField"), QStringLiteral("http://x/"));
      test::Click(editor, "okButton");
    };
    Trigger("modifyItemAction");
    prompts_->onModal = nullptr;
  }

  std::unique_ptr<test::WindowTestFolder> folder_;
  std::unique_ptr<MainWindow> window_;
  ScriptedPrompts* prompts_ = nullptr;
};

Q_DECLARE_METATYPE(MainWindowDocumentTest::Edit)

void MainWindowDocumentTest::Start() {
  auto prompts = std::make_unique<ScriptedPrompts>();
  prompts_ = prompts.get();
  window_ = std::make_unique<MainWindow>(std::move(prompts));
  Child<QTimer>("fadeTimer")->stop();
}

void MainWindowDocumentTest::Drop(QMimeData& data, const MenuNode* target) {
  auto* model = static_cast<MenuTreeModel*>(View()->model());
  View()->scrollTo(model->IndexFor(target));
  const QPoint at = View()->visualRect(model->IndexFor(target)).center();
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &enter);
  QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &move);
  QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &drop);
  QVERIFY(drop.isAccepted());
}

std::string MainWindowDocumentTest::SaveAs(const char* name) {
  prompts_->savePaths.push_back(name);
  Trigger("saveAsAction");
  return test::ReadText(name);
}

void MainWindowDocumentTest::OpenSample() {
  WriteSampleMenu("menu.mma");
  Start();
  window_->show();
  window_->OpenFile("menu.mma");
  View()->expandAll();
}

void MainWindowDocumentTest::eachEditIsUndoneAndRedoneByteForByte_data() {
  QTest::addColumn<Edit>("edit");
  QTest::newRow("add") << &MainWindowDocumentTest::AddSubitem;
  QTest::newRow("add a custom item") << &MainWindowDocumentTest::AddCustomItem;
  QTest::newRow("replace") << &MainWindowDocumentTest::Replace;
  QTest::newRow("delete") << &MainWindowDocumentTest::Delete;
  QTest::newRow("move up") << &MainWindowDocumentTest::MoveUp;
  QTest::newRow("move down") << &MainWindowDocumentTest::MoveDown;
  QTest::newRow("drag a node") << &MainWindowDocumentTest::DragNode;
  QTest::newRow("drop an item") << &MainWindowDocumentTest::DropEntry;
  QTest::newRow("item editor OK") << &MainWindowDocumentTest::ModifyInTheEditor;
}

// One step on the stack per edit; undoing it after a save marks the menu modified again.
void MainWindowDocumentTest::eachEditIsUndoneAndRedoneByteForByte() {
  QFETCH(Edit, edit);
  OpenSample();
  auto* undo = Child<QAction>("undoAction");
  QVERIFY(!undo->isEnabled());
  const std::string before = SaveAs("before.mma");
  (this->*edit)();
  const std::string after = SaveAs("after.mma");
  QVERIFY(after != before);
  QVERIFY(!window_->isWindowModified());

  Trigger("undoAction");
  QVERIFY(!undo->isEnabled());
  QVERIFY(window_->isWindowModified());
  QCOMPARE(SaveAs("undone.mma"), before);
  Trigger("redoAction");
  QVERIFY(!Child<QAction>("redoAction")->isEnabled());
  QCOMPARE(SaveAs("redone.mma"), after);
}

void MainWindowDocumentTest::tenUndosGiveBackTheMenuAsOpened() {
  OpenSample();
  const std::string opened = SaveAs("opened.mma");
  // Each one still finds what it works on after the ones before it.
  for (const Edit edit :
       {&MainWindowDocumentTest::AddSubitem, &MainWindowDocumentTest::MoveUp,
        &MainWindowDocumentTest::MoveDown, &MainWindowDocumentTest::Replace,
        &MainWindowDocumentTest::ModifyInTheEditor, &MainWindowDocumentTest::DragNode,
        &MainWindowDocumentTest::DropEntry, &MainWindowDocumentTest::AddCustomItem,
        &MainWindowDocumentTest::AddSubitem, &MainWindowDocumentTest::Delete})
    (this->*edit)();
  const std::string edited = SaveAs("edited.mma");
  for (int step = 0; step < 10; ++step) Trigger("undoAction");
  QVERIFY(!Child<QAction>("undoAction")->isEnabled());
  QCOMPARE(SaveAs("undone.mma"), opened);
  for (int step = 0; step < 10; ++step) Trigger("redoAction");
  QCOMPARE(SaveAs("redone.mma"), edited);
}

void MainWindowDocumentTest::theTitleNamesTheMenuAndMarksChanges() {
  Start();
  window_->show();
  const QString program = QStringLiteral(" \u2013 ") + QString::fromStdString(WindowTitle());
  QCOMPARE(ShownTitle(), QString::fromStdString(WindowTitle()));
  Trigger("newAction");
  QCOMPARE(ShownTitle(), QStringLiteral("untitled") + program);
  test::AddToMenuRoot(*window_, "Games");
  QCOMPARE(ShownTitle(), QStringLiteral("untitled*") + program);

  prompts_->savePaths.push_back("x.mma");
  Trigger("saveAction");
  QCOMPARE(prompts_->saveTitles, std::vector<std::string>{"Save mma as..."});
  QCOMPARE(ShownTitle(), QStringLiteral("x.mma") + program);
  Trigger("undoAction");
  QCOMPARE(ShownTitle(), QStringLiteral("x.mma*") + program);
  Trigger("redoAction");
  QCOMPARE(ShownTitle(), QStringLiteral("x.mma") + program);
}

// Save writes back without asking; Save as proposes the current file; the dialogs start in the
// folder used last.
void MainWindowDocumentTest::saveWritesToTheCurrentFile() {
  OpenSample();
  test::AddToMenuRoot(*window_, "Radio");
  Trigger("saveAction");
  QVERIFY(prompts_->saveTitles.empty());
  QVERIFY(prompts_->shown.empty());
  QVERIFY(!window_->isWindowModified());
  QCOMPARE(test::ReadText("menu.mma"), SaveAs("copy.mma"));

  std::filesystem::create_directories("sub");
  WriteSampleMenu("sub/other.mma");
  window_->OpenFile("sub/other.mma");
  Trigger("saveAsAction");
  QCOMPARE(prompts_->proposedNames.back(), std::string("sub/other.mma"));
  Trigger("openAction");
  QCOMPARE(QString::fromStdString(prompts_->proposedNames.back()), Absolute("sub"));
}

void MainWindowDocumentTest::recentFilesSurviveARestart() {
  for (const char* name : {"a.mma", "b.mma"}) WriteSampleMenu(name);
  Start();
  window_->OpenFile("a.mma");
  window_->OpenFile("b.mma");
  window_.reset();
  Start();
  const auto recent = [this] {
    QStringList texts;
    for (QAction* action : Child<QMenu>("recentMenu")->actions()) texts << action->text();
    return texts;
  };
  const QString folder = QFileInfo(Absolute("a.mma")).path();
  QCOMPARE(recent(), (QStringList{"&1 b.mma (" + folder + ")", "&2 a.mma (" + folder + ")"}));

  std::filesystem::remove("b.mma");
  Child<QMenu>("recentMenu")->actions().front()->trigger();
  QCOMPARE(prompts_->shown.size(), std::size_t{1});
  QCOMPARE(recent(), QStringList{"&1 a.mma (" + folder + ")"});
  Child<QMenu>("recentMenu")->actions().front()->trigger();
  QCOMPARE(window_->windowTitle().left(8), QStringLiteral("a.mma[*]"));
}

void MainWindowDocumentTest::aDroppedFileOpensAfterTheQuestion() {
  WriteSampleMenu("menu.mma");
  Start();
  Trigger("newAction");
  test::AddToMenuRoot(*window_, "Radio");
  const auto offer = [this](const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    return true;
  };
  const QUrl menu = QUrl::fromLocalFile(Absolute("menu.mma"));
  QVERIFY(!offer({menu, menu}));
  QVERIFY(!offer({QUrl(QStringLiteral("https://example.org/mma_ucp"))}));

  prompts_->saveChoices = {SaveChoice::Cancel};
  QVERIFY(offer({menu}));
  QCOMPARE(Names(*window_->tree().menuRoot()), QStringList{"Radio"});
  QVERIFY(offer({menu}));
  QCOMPARE(prompts_->saveQuestions.size(), std::size_t{2});
  QCOMPARE(Names(*window_->tree().menuRoot()),
           (QStringList{"Browser", "Games", "Settings", "DialedCalls"}));
}

void MainWindowDocumentTest::aFailedOpenLeavesTheWindowAsItWas() {
  OpenSample();
  test::AddToMenuRoot(*window_, "Radio");
  Q_EMIT Child<QComboBox>("profileSelector")->activated(0);
  test::WriteText("empty.mma", "");
  test::WriteText("garbage.mma", "not a menu");
  const std::string before = SaveAs("before.mma");
  test::AddToMenuRoot(*window_, "Theme");
  const QString title = window_->windowTitle();
  const QString status = Child<QLabel>("formatPanel")->text();

  for (const char* broken : {"empty.mma", "garbage.mma"}) {
    prompts_->shown.clear();
    prompts_->openPaths.push_back(broken);
    Trigger("openAction");
    QCOMPARE(prompts_->shown.size(), std::size_t{1});
    QCOMPARE(prompts_->shown[0].caption, std::string("Error"));
    QCOMPARE(window_->windowTitle(), title);
    QVERIFY(window_->isWindowModified());
    QCOMPARE(Child<QLabel>("formatPanel")->text(), status);
    QCOMPARE(Child<QComboBox>("profileSelector")->currentIndex(), 0);
  }
  Trigger("undoAction");
  QCOMPARE(SaveAs("undone.mma"), before);
}

void MainWindowDocumentTest::keysAndDoubleClickReachTheTreeCommands() {
  Start();
  window_->show();
  for (int tick = 0; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();
  // The splash window had the focus; keys reach the tree once the main window has it.
  window_->windowHandle()->requestActivate();
  QTRY_COMPARE(QGuiApplication::focusWindow(), window_->windowHandle());
  Trigger("newAction");
  test::AddToMenuRoot(*window_, "Games");
  test::AddToMenuRoot(*window_, "Radio");
  Select("Radio");
  View()->setFocus();

  QTest::keyClick(View(), Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Radio", "Games"}));
  QTest::keyClick(View(), Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(Names(*window_->tree().menuRoot()), (QStringList{"Games", "Radio"}));
  prompts_->answers = {false};
  QTest::keyClick(View(), Qt::Key_Delete);
  QCOMPARE(prompts_->asked.size(), std::size_t{1});
  for (const Qt::Key key : {Qt::Key_F2, Qt::Key_Return, Qt::Key_Enter})
    QTest::keyClick(View(), key);
  auto* model = static_cast<MenuTreeModel*>(View()->model());
  const QPoint radio = View()->visualRect(model->IndexFor(Node("Radio"))).center();
  // As a real double click comes: a click, then a second press that is the double click.
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, radio);
  QMouseEvent second(QEvent::MouseButtonDblClick, radio, View()->viewport()->mapToGlobal(radio),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(View()->viewport(), &second);
  QCOMPARE(prompts_->modalTitles, std::vector<QString>(4, QStringLiteral("Item properties")));
}

void MainWindowDocumentTest::theWindowGrowsAndKeepsItsSize() {
  Start();
  QVERIFY(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
  const QSize smallest = window_->minimumSize();
  QVERIFY(smallest.width() >= 462 + Child<QLabel>("imeiPanel")->width());
  QCOMPARE(window_->size(), smallest);
  window_->show();
  for (int tick = 0; tick < kFadeInTicks; ++tick) window_->FadeTimerTick();
  QCoreApplication::processEvents();
  const int treeWidth = View()->width();
  window_->resize(smallest + QSize(100, 40));
  QCoreApplication::processEvents();
  QCOMPARE(View()->width(), treeWidth + 100);

  QVERIFY(!window_->close());
  Child<QTimer>("fadeTimer")->stop();
  for (int tick = 0; tick < kFadeOutTicks; ++tick) window_->FadeTimerTick();
  QVERIFY(!window_->isVisible());
  Start();
  QCOMPARE(window_->size(), smallest + QSize(100, 40));
}

QTEST_MAIN(MainWindowDocumentTest)
#include "test_main_window_document.moc"

// Every window and dialog, walked for controls a screen reader could not name.
#include <QListWidget>
#include <QtTest>

#include "app/main_window.h"
#include "browser/delete_request_dialog.h"
#include "browser/file_attributes_dialog.h"
#include "browser/file_mask_dialog.h"
#include "editor/text_editor_dialog.h"
#include "gui/accessible_names.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "support/test_support.h"
#include "widgets/double_progress_window.h"
#include "widgets/progress_window.h"

using namespace menuforge;
using menuforge::test::Find;
using menuforge::test::Trigger;
using menuforge::test::UnnamedControls;

class TestAccessibleNames : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }

  // The item editor opens the name dialog; the new menu's question shows the changes.
  void mainWindowAndTheDialogsItShows() {
    const test::WindowTestFolder folder;
    auto owned = std::make_unique<test::ScriptedPrompts>();
    test::ScriptedPrompts& prompts = *owned;
    QStringList unnamed;
    prompts.onModal = [&unnamed](QDialog& dialog) {
      for (const QString& control : UnnamedControls(dialog))
        unnamed << dialog.windowTitle() + QStringLiteral(": ") + control;
      if (auto* add = dialog.findChild<QAbstractButton*>(QStringLiteral("menuTitleAddButton")))
        add->click();
    };
    MainWindow window(std::move(owned));
    Trigger(window, "newAction");
    Trigger(window, "phonePreviewAction");
    QCOMPARE(UnnamedControls(window).join(QStringLiteral(", ")), QString());
    for (const char* action : {"setupAction", "aboutAction", "compareBackupAction"})
      Trigger(window, action);
    Find<MenuTreeView>(window, "menuTree")->SelectNode(test::AddToMenuRoot(window, "Games"));
    Trigger(window, "modifyItemAction");
    prompts.showChangesPresses = 1;
    Trigger(window, "newAction");
    QCOMPARE(prompts.modalTitles,
             (std::vector<QString>{"Settings", "About", "Compare with phone backup",
                                   "Item properties", "Name settings", "Unsaved changes"}));
    QCOMPARE(unnamed.join(QStringLiteral(", ")), QString());
  }

  void smallWindowsOfTheirOwn() {
    test::RecordingDialogs dialogs;
    ProgressWindow progress;
    DoubleProgressWindow doubleProgress;
    FileMaskDialog mask(nullptr, {"AC", "gif"});
    DeleteRequestDialog deleting(nullptr);
    FileAttributesDialog attributes(nullptr, {true, false, false});
    TextEditorDialog text(nullptr, {EntryDialog::TextEditor, 0, u"Hello"}, dialogs);
    for (QWidget* window : std::initializer_list<QWidget*>{&progress, &doubleProgress, &mask,
                                                           &deleting, &attributes, &text})
      QCOMPARE(UnnamedControls(*window).join(QStringLiteral(", ")), QString());
  }

  void treeEntriesAndCompareLinesReadOutTheirText() {
    const test::WindowTestFolder folder;
    auto owned = std::make_unique<test::ScriptedPrompts>();
    test::ScriptedPrompts& prompts = *owned;
    MainWindow window(std::move(owned));
    Trigger(window, "newAction");
    prompts.savePaths.push_back("before.mma");
    Trigger(window, "saveAsAction");
    test::AddToMenuRoot(window, "Games");
    auto* tree = Find<MenuTreeView>(window, "menuTree");
    tree->collapseAll();
    QCOMPARE(test::ReadOut(*tree), (QStringList{"Softkeys", "Menu Root"}));
    prompts.openPaths.push_back("before.mma");
    Trigger(window, "compareAction");
    QCOMPARE(test::ReadOut(*Find<QListWidget>(window, "comparisonList")), QStringList{"- Games"});
  }
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"

// Every window and dialog, walked for controls a screen reader could not name.
#include <QAccessible>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <deque>
#include <functional>

#include "app/about_dialog.h"
#include "app/changes_dialog.h"
#include "app/main_window.h"
#include "app/menu_tree_view.h"
#include "browser/delete_request_dialog.h"
#include "browser/file_attributes_dialog.h"
#include "browser/file_mask_dialog.h"
#include "editor/name_settings_dialog.h"
#include "editor/text_editor_dialog.h"
#include "gui/accessible_names.h"
#include "gui/main_window_fixture.h"
#include "gui/scripted_prompts.h"
#include "widgets/double_progress_window.h"
#include "widgets/progress_window.h"

using namespace menuforge;
using menuforge::test::Click;
using menuforge::test::Find;
using menuforge::test::UnnamedControls;

namespace {

// Walks each modal dialog the main window shows, then runs the next script on it.
class WalkingPrompts : public test::ScriptedPrompts {
 public:
  std::deque<std::function<void(QDialog&)>> scripts;
  QStringList unnamed;

  void ShowModal(QDialog& dialog) override {
    ScriptedPrompts::ShowModal(dialog);
    for (const QString& control : UnnamedControls(dialog))
      unnamed << dialog.windowTitle() + QStringLiteral(": ") + control;
    if (scripts.empty()) return;
    const auto script = std::move(scripts.front());
    scripts.pop_front();
    script(dialog);
  }
};

// The texts a screen reader reads for the entries of a list or tree, as far as they are shown.
QStringList ReadOut(QAbstractItemView& view) {
  QStringList texts;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
  for (int i = 0; accessible != nullptr && i < accessible->childCount(); ++i)
    if (QAccessibleInterface* child = accessible->child(i);
        child != nullptr && child->role() != QAccessible::ColumnHeader)
      texts << child->text(QAccessible::Name);
  return texts;
}

}  // namespace

class TestAccessibleNames : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { test::DropOffscreenNotices(); }

  void mainWindowAndTheDialogsItShows() {
    const test::WindowTestFolder folder;
    auto owned = std::make_unique<WalkingPrompts>();
    WalkingPrompts& prompts = *owned;
    MainWindow window(std::move(owned));
    Find<QTimer>(window, "fadeTimer")->stop();
    test::Trigger(window, "newAction");
    test::Trigger(window, "phonePreviewAction");
    QCOMPARE(UnnamedControls(window), QStringList());

    test::Trigger(window, "setupAction");
    test::Trigger(window, "aboutAction");
    MenuNode* games = test::AddToMenuRoot(window, "Games");
    Find<MenuTreeView>(window, "menuTree")->SelectNode(games);
    prompts.scripts.push_back([](QDialog& editor) {
      Click(editor, "menuTitleAddButton");
      Click(editor, "cancelButton");
    });
    prompts.scripts.push_back([](QDialog& names) { Click(names, "cancelButton"); });
    test::Trigger(window, "modifyItemAction");
    test::Trigger(window, "compareBackupAction");
    prompts.showChangesPresses = 1;
    test::Trigger(window, "newAction");
    QCOMPARE(
        prompts.modalTitles,
        (std::vector<QString>{"Menuforge setup", "About Menuforge", "Item editor", "Name settings",
                              "Compare with phone backup", "Unsaved changes"}));
    QCOMPARE(prompts.unnamed, QStringList());
  }

  void smallWindowsOfTheirOwn() {
    ProgressWindow progress;
    DoubleProgressWindow doubleProgress;
    AboutDialog about;
    FileMaskDialog mask(nullptr, {"AC", "gif"});
    DeleteRequestDialog deleting(nullptr);
    FileAttributesDialog attributes(nullptr, {true, false, false});
    TextEditorDialog text(nullptr, {EntryDialog::TextEditor, 0, u"Hello"}, dialogs_);
    NameSettingsDialog names(nullptr, {EntryDialog::NameSettings, 0, u"Hello"}, dialogs_);
    for (QWidget* window : std::initializer_list<QWidget*>{
             &progress, &doubleProgress, &about, &mask, &deleting, &attributes, &text, &names})
      QCOMPARE(UnnamedControls(*window), QStringList());
  }

  void treeAndCompareLinesReadOutTheirText() {
    const test::WindowTestFolder folder;
    auto owned = std::make_unique<test::ScriptedPrompts>();
    test::ScriptedPrompts& prompts = *owned;
    MainWindow window(std::move(owned));
    Find<QTimer>(window, "fadeTimer")->stop();
    test::Trigger(window, "newAction");
    prompts.savePaths.push_back("before.mma");
    test::Trigger(window, "saveAsAction");
    test::AddToMenuRoot(window, "Games");
    auto* tree = Find<MenuTreeView>(window, "menuTree");
    tree->collapseAll();
    QCOMPARE(ReadOut(*tree), (QStringList{"Menu Root", "Softkey"}));

    prompts.openPaths.push_back("before.mma");
    test::Trigger(window, "compareAction");
    QCOMPARE(ReadOut(*Find<QListWidget>(window, "comparisonList")), (QStringList{"+ Games"}));
  }

 private:
  test::RecordingDialogs dialogs_;
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"

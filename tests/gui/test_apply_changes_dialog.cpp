#include <QListWidget>
#include <QTableWidget>
#include <QtTest>

#include "app/apply_changes_dialog.h"
#include "menu/tree_operations.h"
#include "support/sample_menus.h"
#include "support/test_support.h"

namespace menuforge {
using test::BuildSampleMenu;
namespace {

ItemTable SampleItems() {
  std::vector<ItemBaseEntry> entries;
  for (const char* id :
       {"Browser", "Games", "Calculator", "Camera", "Settings", "DialedCalls", "Tools"})
    entries.push_back({id, id, true});
  return WithDefaultSoftkeys(std::move(entries));
}

}  // namespace

class TestApplyChangesDialog : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void AppliesAsOneStepThatUndoTakesBack() {
    test::TempFolder folder;
    MenuTree base, theirs;
    BuildSampleMenu(base);
    BuildSampleMenu(theirs);
    DeleteEntry(theirs, *theirs.menuRoot()->children().back());
    QCOMPARE(SaveMenuFile(folder / "base", base, {}, SampleItems()).status(), SaveStatus::Saved);
    QCOMPARE(SaveMenuFile(folder / "theirs", theirs, {}, SampleItems()).status(),
             SaveStatus::Saved);
    MenuDocument document(folder / "work");
    QVERIFY(document.TakeIn(
        [](MenuTree& tree, Catalog&, FormatOptions&, FormatState&) {
          BuildSampleMenu(tree);
          return true;
        },
        CurrentMenu(CurrentMenu::Source::File, folder / "mine")));
    const std::size_t entries = document.tree().EntryCount();
    ApplyChangesDialog dialog(document);
    dialog.ChooseFiles(QString::fromStdString((folder / "base").string()),
                       QString::fromStdString((folder / "theirs").string()));
    auto* changes = dialog.findChild<QListWidget*>(QStringLiteral("incomingChanges"));
    QCOMPARE(changes->count(), 1);
    QCOMPARE(changes->item(0)->text(), QStringLiteral("- DialedCalls"));
    QCOMPARE(dialog.findChild<QTableWidget*>(QStringLiteral("incomingConflicts"))->rowCount(), 0);
    dialog.Apply();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(document.tree().EntryCount(), entries - 1);
    QCOMPARE(document.UndoName().value_or(""), std::string("Apply changes"));
    document.Undo();
    QCOMPARE(document.tree().EntryCount(), entries);
    QVERIFY(!document.UndoName());
  }
};

}  // namespace menuforge

QTEST_MAIN(menuforge::TestApplyChangesDialog)
#include "test_apply_changes_dialog.moc"

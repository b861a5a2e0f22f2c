#include "app/compare_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "menu/tree_operations.h"

using namespace menuforge;

namespace {

MenuNode& AddLast(MenuTree& tree, MenuNode& parent, const char* identifier) {
  MenuNode* node =
      AddEntry(tree, parent, Placement::LastChild, {identifier, identifier, true}, false);
  if (!node) qFatal("menu full");
  return *node;
}

using Path = std::vector<std::size_t>;

}  // namespace

class ComparePanelTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void listsTheDifferencesAndChoosesTheirEntries();
  void saysWhenTheMenusAreTheSame();
};

// First: Games/Calculator and Browser. Second: Browser moved into Games, Calculator gone,
// Tools added.
void ComparePanelTest::listsTheDifferencesAndChoosesTheirEntries() {
  MenuTree first, second;
  for (MenuTree* tree : {&first, &second}) BuildSkeleton(*tree);
  AddLast(first, AddLast(first, *first.menuRoot(), "Games"), "Calculator");
  AddLast(first, *first.menuRoot(), "Browser");
  MenuNode& games = AddLast(second, *second.menuRoot(), "Games");
  AddLast(second, games, "Browser");
  AddLast(second, *second.menuRoot(), "Tools");
  FormatOptions older;
  older.SelectSaveMode(RecordSize::k22);
  const MenuComparison comparison = CompareMenus({first, older}, {second, FormatOptions{}});

  ComparePanel panel;
  panel.show();
  QSignalSpy chosen(&panel, &ComparePanel::EntryChosen);
  QSignalSpy notShown(&panel, &ComparePanel::EntryNotShown);
  const struct {
    ComparePanel::ShownMenu shown;
    QString text;
    std::optional<Path> path;
    QString where;
  } rows[] = {
      {ComparePanel::ShownMenu::Second,
       QString::fromUtf8("~ format: MMA save mode: 22-byte \u2192 36-byte"),
       {},
       {}},
      {ComparePanel::ShownMenu::Second,
       QStringLiteral("- Games/Calculator"),
       {},
       QStringLiteral("Only in the other menu, at Games #1")},
      {ComparePanel::ShownMenu::First, QStringLiteral("- Games/Calculator"), Path{1, 0, 0}, {}},
      {ComparePanel::ShownMenu::Second,
       QStringLiteral("> Games/Browser: from Menu Root #2 to Games #1"),
       Path{1, 0, 0},
       {}},
      {ComparePanel::ShownMenu::Second, QStringLiteral("+ Tools"), Path{1, 1}, {}},
      {ComparePanel::ShownMenu::First,
       QStringLiteral("+ Tools"),
       {},
       QStringLiteral("Only in the other menu, at Menu Root #2")},
  };
  for (const auto& row : rows) {
    panel.ShowComparison(comparison, row.shown);
    auto* list = panel.findChild<QListWidget*>(QStringLiteral("comparisonList"));
    QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("comparisonHeading"))->text(),
             QStringLiteral("3 entries differ"));
    const QList<QListWidgetItem*> found = list->findItems(row.text, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.front()->toolTip(), row.text);
    chosen.clear();
    notShown.clear();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.front()).center());
    QCOMPARE(chosen.count(), row.path ? 1 : 0);
    if (row.path) QCOMPARE(chosen.front().front().value<Path>(), *row.path);
    QCOMPARE(notShown.count(), row.where.isEmpty() ? 0 : 1);
    auto* where = panel.findChild<QLabel*>(QStringLiteral("comparisonWhere"));
    QCOMPARE(where->isVisible(), !row.where.isEmpty());
    if (!row.where.isEmpty()) QCOMPARE(where->text(), row.where);
  }
  // A narrow panel wraps its lines and heading instead of cutting them.
  panel.resize(120, 400);
  auto* list = panel.findChild<QListWidget*>(QStringLiteral("comparisonList"));
  QTRY_VERIFY(list->visualItemRect(list->item(0)).width() <= list->viewport()->width());
  QVERIFY(!list->horizontalScrollBar()->isVisible());
  QVERIFY(list->visualItemRect(list->item(0)).height() > list->fontMetrics().height() + 4);
  QVERIFY(panel.findChild<QLabel*>(QStringLiteral("comparisonHeading"))->wordWrap());
}

void ComparePanelTest::saysWhenTheMenusAreTheSame() {
  MenuTree tree;
  BuildSkeleton(tree);
  ComparePanel panel;
  panel.ShowComparison(CompareMenus({tree, FormatOptions{}}, {tree, FormatOptions{}}),
                       ComparePanel::ShownMenu::Second);
  QCOMPARE(panel.findChild<QLabel*>(QStringLiteral("comparisonHeading"))->text(),
           QString::fromUtf8(kSameMenusText));
  QCOMPARE(panel.findChild<QListWidget*>(QStringLiteral("comparisonList"))->count(), 0);
}

QTEST_MAIN(ComparePanelTest)
#include "test_compare_panel.moc"

#include "app/menu_tree_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "catalog/item_base_file.h"
#include "gui/window_test_files.h"
#include "menu/mma_loader.h"

using namespace menuforge;

namespace {

ItemBaseEntry Entry(const char* identifier) { return {identifier, identifier, true}; }

MenuNode* AddLast(MenuTree& tree, MenuNode& parent, const char* identifier) {
  return AddEntry(tree, parent, Placement::LastChild, Entry(identifier), false);
}

}  // namespace

// Every change of the tree goes through Qt's model checker, which fails the test on the first
// signal that does not match what the model then reports.
class MenuTreeModelTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    model_ = std::make_unique<MenuTreeModel>(document_);
    tester_ = std::make_unique<QAbstractItemModelTester>(
        model_.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
  }
  void cleanup() {
    tester_.reset();
    model_.reset();
    document_.Close();
  }

  void followsEveryEditOfTheTree();
  void keepsIndexesOnMovedNodes();
  void followsALoadAndAnEmptying();
  void showsDisplayTextsAndLetsNodesBeDragged();

 private:
  MenuNode* Child(const MenuNode& parent, std::size_t index) const {
    return parent.children().at(index).get();
  }

  MenuDocument document_{"."};
  std::unique_ptr<MenuTreeModel> model_;
  std::unique_ptr<QAbstractItemModelTester> tester_;
};

void MenuTreeModelTest::followsEveryEditOfTheTree() {
  // The document owns the tree; its edits are how anything changes it.
  document_.Edit("Edit", [&](MenuTree& tree_) {
    BuildSkeleton(tree_);
    MenuNode& root = *tree_.menuRoot();
    MenuNode* a = AddLast(tree_, root, "A");
    AddLast(tree_, *a, "A1");
    QVERIFY(AddEntry(tree_, *a->children().front(), Placement::FirstSibling, Entry("A0"), false));
    MenuNode* b = AddLast(tree_, root, "B");
    QVERIFY(AddEntry(tree_, *b, Placement::Before, Entry("Custom item"), true));
    QCOMPARE(model_->rowCount(model_->IndexFor(&root)), 3);
    QCOMPARE(model_->rowCount(model_->IndexFor(a)), 2);

    QSignalSpy changed(model_.get(), &QAbstractItemModel::dataChanged);
    ReplaceEntry(tree_, *b, Entry("C"), false);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.front().front().value<QModelIndex>(), model_->IndexFor(b));
    QCOMPARE(model_->IndexFor(b).data().toString(), QStringLiteral("C"));

    MoveUp(tree_, *b);
    MoveDown(tree_, *Child(root, 0));
    MoveBefore(tree_, *Child(*a, 1), *Child(root, 0));
    MoveBefore(tree_, *b, *Child(*a, 0));
    MoveBefore(tree_, *a, *Child(*a, 0));
    QCOMPARE(tree_.EntryCount(), std::size_t{5});

    DeleteEntry(tree_, *a);
    QCOMPARE(model_->rowCount(model_->IndexFor(&root)), 2);
    QCOMPARE(tree_.EntryCount(), std::size_t{2});
  });
}

void MenuTreeModelTest::keepsIndexesOnMovedNodes() {
  // The document owns the tree; its edits are how anything changes it.
  document_.Edit("Edit", [&](MenuTree& tree_) {
    BuildSkeleton(tree_);
    MenuNode& root = *tree_.menuRoot();
    MenuNode* a = AddLast(tree_, root, "A");
    MenuNode* b = AddLast(tree_, root, "B");
    MenuNode* b1 = AddLast(tree_, *b, "B1");
    const QPersistentModelIndex kept(model_->IndexFor(b1));

    MoveBefore(tree_, *b1, *a);
    QCOMPARE(model_->NodeFrom(kept), b1);
    QCOMPARE(kept.row(), 0);
    QCOMPARE(kept.parent(), model_->IndexFor(&root));
    QCOMPARE(model_->rowCount(model_->IndexFor(b)), 0);

    for (const MenuNode* node : {a, b, b1, tree_.softkeys(), tree_.NodeAt(5)})
      QCOMPARE(model_->NodeFrom(model_->IndexFor(node)), node);
    QVERIFY(!model_->IndexFor(nullptr).isValid());
  });
}

void MenuTreeModelTest::followsALoadAndAnEmptying() {
  QTemporaryDir folder;
  const std::filesystem::path file = folder.filePath("menu.mma").toStdString();
  QVERIFY(test::WriteMenuWithUnknownItem(file, "Zzz"));
  std::vector<ItemBaseEntry> known = BuiltInItemBase();
  known.push_back(Entry("Zzz"));
  const ItemTable items(known);

  QSignalSpy reset(model_.get(), &QAbstractItemModel::modelReset);
  QVERIFY(document_.TakeIn(
      [&](MenuTree& tree, Catalog&, FormatOptions& options, FormatState& state) {
        return LoadMenuFile(file, {items, true}, tree, options, state).status() ==
               LoadStatus::Loaded;
      },
      CurrentMenu(CurrentMenu::Source::File, file)));
  QCOMPARE(model_->rowCount(), 2);
  QCOMPARE(model_->rowCount(model_->index(0, 0)), 7);
  QCOMPARE(model_->index(0, 0, model_->index(1, 0)).data().toString(), QStringLiteral("Zzz"));

  document_.Close();
  QCOMPARE(reset.count(), 2);
  QCOMPARE(model_->rowCount(), 0);
}

void MenuTreeModelTest::showsDisplayTextsAndLetsNodesBeDragged() {
  // The document owns the tree; its edits are how anything changes it.
  document_.Edit("Edit", [&](MenuTree& tree_) {
    BuildSkeleton(tree_);
    const QModelIndex softkeys = model_->index(0, 0);
    QCOMPARE(softkeys.data().toString(), QStringLiteral("Softkeys"));
    QCOMPARE(model_->index(3, 0, softkeys).data().toString(), QStringLiteral("Down: Multimedia"));
    QCOMPARE(model_->index(1, 0).data().toString(), QStringLiteral("Menu Root"));
    QVERIFY(model_->flags(softkeys) & Qt::ItemIsDragEnabled);
    QVERIFY(!(model_->flags(softkeys) & Qt::ItemIsEditable));
    QCOMPARE(model_->columnCount(), 1);
    QVERIFY(!model_->index(0, 1).isValid());
    QVERIFY(!model_->index(2, 0).isValid());
  });
}

QTEST_MAIN(MenuTreeModelTest)
#include "test_menu_tree_model.moc"

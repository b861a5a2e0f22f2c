// The core first: Qt's `slots` keyword would swallow the item data field of that name.
#include "catalog/catalog.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "editor/item_editor_dialog.h"
#include "gui/scripted_editor_prompts.h"

using namespace menuforge;
using menuforge::test::Click;
using menuforge::test::Find;
using menuforge::test::ScriptedEditorPrompts;

class TestItemEditorModify : public QObject {
  Q_OBJECT

 private slots:
  void modifyItemGivesANewEntryATitleAndAUrl() {
    QTemporaryDir folder;
    const std::filesystem::path working = folder.path().toStdString();
    Catalog catalog(working);
    QVERIFY(catalog.LoadItemBase().ok());
    const ItemTable& items = catalog.availableItems();
    MenuTree tree;
    BuildSkeleton(tree);
    MenuNode* node = AddEntry(tree, *tree.menuRoot(), Placement::LastChild,
                              items.at(items.Find("WebAccess")), false);
    QVERIFY(node);

    EditorContext context;
    ScriptedEditorPrompts prompts;
    prompts.scripts.push_back([&prompts](QDialog& editor) {
      QCOMPARE(editor.windowTitle(), QStringLiteral("Item properties"));
      Click(editor, "menuTitleAddButton");
      auto* function = Find<QComboBox>(editor, "functionChoice");
      function->setFocus();
      QTest::keyClick(function, Qt::Key_Down);
      QCOMPARE(function->currentText(), QStringLiteral("URL link"));
      QTest::keyClicks(Find<QLineEdit>(editor, "urlField"), QStringLiteral("http://wap.example/"));
      Click(editor, "okButton");
      QVERIFY(prompts.shown.empty());
    });
    prompts.scripts.push_back([](QDialog& names) {
      QTest::keyClicks(Find<QLineEdit>(names, "nameField"), QStringLiteral("Web"));
      Click(names, "okButton");
    });
    QVERIFY(ItemEditorDialog::Edit(nullptr, tree, *node, context, &prompts));

    QCOMPARE(node->record.itemType, kUrlLink);
    QCOMPARE(node->record.attributeByte, kAttributeWithFunction);
    QCOMPARE(node->record.titleMode, kTitleModeOwnTitle);
    QVERIFY(node->record.modified);
    QCOMPARE(node->record.dataLength, std::uint16_t{3 + 1 + 4 + 8 + 3 + 20});

    const std::filesystem::path file = working / "mma_ucp";
    const SaveResult saved = SaveMenuFile(file, tree, FormatOptions{}, items);
    QVERIFY2(saved.status == SaveStatus::Saved, saved.message.text.c_str());

    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/menuforge-cli");
    QVERIFY2(QFile::exists(cli), "menuforge-cli is built beside the window tests");
    QProcess dump;
    dump.setWorkingDirectory(folder.path());
    dump.start(cli, {QStringLiteral("dump"), QString::fromStdString(file.string())});
    QVERIFY(dump.waitForFinished());
    QCOMPARE(dump.exitCode(), 0);
    const QString out = QString::fromUtf8(dump.readAllStandardOutput());
    QVERIFY2(out.contains(QStringLiteral("name=\"WebAccess\"")), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("type=3 title-mode=8 (0x08) attribute=0x60")),
             qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("  titles tag=0 list=menu count=1\n"
                                         "  title tag=0 language=01 name=\"English US\" "
                                         "text=\"Web\"\n"
                                         "  url tag=5 text=\"http://wap.example/\"\n")),
             qPrintable(out));
  }

  void cancelChangesNothing() {
    MenuTree tree;
    BuildSkeleton(tree);
    MenuNode* key = tree.NodeAt(kFirstSoftkeyPosition);
    const NodeRecord before = key->record;
    EditorContext context;
    ScriptedEditorPrompts prompts;
    prompts.scripts.push_back([](QDialog& editor) {
      Click(editor, "softkeyTitleAddButton");
      Click(editor, "cancelButton");
    });
    prompts.scripts.push_back([](QDialog& names) {
      QTest::keyClicks(Find<QLineEdit>(names, "nameField"), QStringLiteral("Key"));
      Click(names, "okButton");
    });
    QVERIFY(!ItemEditorDialog::Edit(nullptr, tree, *key, context, &prompts));
    QCOMPARE(tree.itemData.size(), std::size_t{0});
    QCOMPARE(key->record.attributeByte, before.attributeByte);
    QCOMPARE(key->record.modified, false);
  }
};

QTEST_MAIN(TestItemEditorModify)
#include "test_item_editor_modify.moc"

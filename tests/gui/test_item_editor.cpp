#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "editor/core/control_hints.h"
#include "editor/core/field_checks.h"
#include "editor/icon_indicator.h"
#include "editor/item_editor_dialog.h"
#include "gui/scripted_editor_prompts.h"
#include "widgets/shown_text.h"

using menuforge::EditorContext;
using menuforge::ItemEditorDialog;
using menuforge::test::Click;
using menuforge::test::ClickIndicator;
using menuforge::test::Find;
using menuforge::test::ScriptedEditorPrompts;
using namespace menuforge;

namespace {

class FixedDrmPicker : public DrmIconPicker {
 public:
  std::optional<std::uint16_t> PickDrmIcon(QWidget*) override { return 77; }
};

class FixedPhonePicker : public PhonePicturePicker {
 public:
  std::optional<IconRow> askedFor;
  std::optional<std::u16string> PickPhonePicture(QWidget*, IconRow row) override {
    askedFor = row;
    return u"/b/pictures/sun.gif";
  }
};

QString Text(const Message& message) { return QString::fromStdString(message.text); }

QTreeWidget* List(QWidget& window, const char* name) { return Find<QTreeWidget>(window, name); }

QStringList Row(QTreeWidget* list, int row) {
  QTreeWidgetItem* item = list->topLevelItem(row);
  return {item->text(0), item->text(1), item->text(2)};
}

// Types a title into "Name settings", picks the language `steps` entries below the preselected
// one, and confirms.
ScriptedEditorPrompts::Script TypeName(const QString& text, int steps = 0) {
  return [text, steps](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Name settings"));
    auto* choice = Find<QComboBox>(dialog, "languageChoice");
    if (steps > 0) choice->setFocus();
    for (int i = 0; i < steps; ++i) QTest::keyClick(choice, Qt::Key_Down);
    QVERIFY(choice->hasFocus() || steps == 0);
    QTest::keyClicks(Find<QLineEdit>(dialog, "nameField"), text);
    Click(dialog, "okButton");
  };
}

}  // namespace

class TestItemEditor : public QObject {
  Q_OBJECT

 private:
  EditorContext context_;
  ScriptedEditorPrompts prompts_;
  std::unique_ptr<ItemEditorDialog> dialog_;
  ItemDataRecord data_;

  // Qt's `slots` keyword keeps the record's field out of reach here; the record is built whole.
  ItemEditorDialog& Open(std::vector<ChunkSlot> chunks = {}, std::uint8_t type = kPlainItem,
                         bool softkey = false, std::uint8_t attribute = kAttributeNewEntry) {
    data_ = ItemDataRecord{0, std::move(chunks)};
    dialog_ = std::make_unique<ItemEditorDialog>(nullptr, context_, prompts_);
    dialog_->LoadItem({data_.slots.empty() ? nullptr : &data_, type, softkey, attribute, 0});
    dialog_->show();
    if (!QTest::qWaitForWindowExposed(dialog_.get())) qFatal("editor not shown");
    return *dialog_;
  }

  void ChooseFunction(ItemFunction function) {
    auto* choice = Find<QComboBox>(*dialog_, "functionChoice");
    choice->setFocus();
    const int index = static_cast<int>(function);
    while (choice->currentIndex() < index) QTest::keyClick(choice, Qt::Key_Down);
    while (choice->currentIndex() > index) QTest::keyClick(choice, Qt::Key_Up);
  }

 private Q_SLOTS:
  void init() {
    context_ = EditorContext{};
    prompts_ = ScriptedEditorPrompts{};
  }

  void cleanup() { dialog_.reset(); }

  void showsItsControlsWithTheirCaptions() {
    ItemEditorDialog& d = Open();
    QCOMPARE(d.windowTitle(), QStringLiteral("Item properties"));
    QCOMPARE(d.minimumHeight(), d.maximumHeight());
    auto* pages = Find<QTabWidget>(d, "pages");
    QCOMPARE(pages->tabText(0), QStringLiteral("Visual"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Function"));
    QCOMPARE(pages->currentIndex(), 0);
    auto* function = Find<QComboBox>(d, "functionChoice");
    QCOMPARE(function->count(), 7);
    QCOMPARE(function->itemText(0), QStringLiteral("[None]"));
    QCOMPARE(function->itemText(5), QStringLiteral("Call/Send"));
    auto* reset = Find<QPushButton>(d, "resetButton");
    QCOMPARE(reset->text(), QStringLiteral("Reset All Data"));
    QCOMPARE(reset->toolTip(), QStringLiteral("Clear all data attached to the item"));
    QVERIFY(!reset->isEnabled());
    QVERIFY(Find<QPushButton>(d, "okButton")->isDefault());
    QVERIFY(!Find<QPushButton>(d, "applyButton")->isEnabled());
    QCOMPARE(Find<QGroupBox>(d, "callSendGroup")->title(),
             QStringLiteral("Call a number/Send SMS "));
    QCOMPARE(Find<QGroupBox>(d, "shortcutGroup")->title(), QStringLiteral("Shortcut data [?]"));
    QCOMPARE(Find<QLineEdit>(d, "shortcutField")->maxLength(), 25);
    QCOMPARE(Find<QLineEdit>(d, "actionCodeField")->maxLength(), 5);
    QCOMPARE(Find<QLineEdit>(d, "code13Field")->maxLength(), 3);
    const QStringList headers = {QStringLiteral("No."), QStringLiteral("Language ID"),
                                 QStringLiteral("Title")};
    QTreeWidgetItem* header = List(d, "menuTitleList")->headerItem();
    QCOMPARE((QStringList{header->text(0), header->text(1), header->text(2)}), headers);
    for (const char* group : {"urlGroup", "applicationGroup", "actionGroup", "shortcutGroup",
                              "callSendGroup", "showTextGroup"})
      QVERIFY2(!Find<QGroupBox>(d, group)->isEnabled(), group);
  }

  void iconFieldsAreCheckedOnEveryKeystroke() {
    ItemEditorDialog& d = Open();
    auto* field = Find<QLineEdit>(d, "staticIconField");
    auto* indicator = Find<IconIndicator>(d, "staticIconIndicator");
    QTest::keyClicks(field, QStringLiteral("/e/pic"));
    QVERIFY(prompts_.shown.empty());
    QVERIFY(!indicator->isHidden());
    QVERIFY(!indicator->isAnimating());
    QTest::keyClicks(field, QStringLiteral(" "));
    QCOMPARE(prompts_.shown.size(), std::size_t{1});
    QCOMPARE(Text(prompts_.shown[0]),
             QStringLiteral("Invalid character in file name\r\nInput will be ignored"));
    QCOMPARE(QString::fromStdString(prompts_.shown[0].caption),
             QStringLiteral("Input format error"));
    QCOMPARE(field->text(), QString());
    QVERIFY(indicator->isHidden());

    ClickIndicator(d, "staticIconDrmButton");
    QTest::keyClicks(field, QStringLiteral("4001"));
    QCOMPARE(Text(prompts_.shown.back()), QStringLiteral("Value too big\r\nInput will be ignored"));
    QCOMPARE(prompts_.shown.size(), std::size_t{2});
    QVERIFY(Find<QPushButton>(d, "applyButton")->isEnabled());
  }

  void pickButtonsNeedTheirPicker() {
    ItemEditorDialog& d = Open();
    ClickIndicator(d, "listIconDrmButton");
    QVERIFY(!Find<QPushButton>(d, "listIconPickButton")->isEnabled());
    dialog_.reset();

    FixedDrmPicker drm;
    FixedPhonePicker phone;
    context_.pickers = {&phone, &drm};
    context_.phoneConnected = [] { return true; };
    ItemEditorDialog& withPickers = Open();
    ClickIndicator(withPickers, "listIconDrmButton");
    Click(withPickers, "listIconPickButton");
    QCOMPARE(Find<QLineEdit>(withPickers, "listIconField")->text(), QStringLiteral("77"));
    Click(withPickers, "animatedIconPickButton");
    QCOMPARE(phone.askedFor, std::optional<IconRow>(IconRow::Animated));
    QCOMPARE(Find<QLineEdit>(withPickers, "animatedIconField")->text(),
             QStringLiteral("/b/pictures/sun.gif"));
    QVERIFY(Find<IconIndicator>(withPickers, "animatedIconIndicator")->isAnimating());
    Click(withPickers, "okButton");
    QVERIFY(!Find<IconIndicator>(withPickers, "animatedIconIndicator")->isAnimating());
    QCOMPARE(withPickers.result(), int(QDialog::Accepted));
  }

  void pickButtonsFollowThePhoneAsItIsNow() {
    FixedPhonePicker phone;
    context_.pickers = {&phone, nullptr};
    bool connected = false;
    context_.phoneConnected = [&connected] { return connected; };
    ItemEditorDialog& d = Open();
    auto* pick = Find<QPushButton>(d, "staticIconPickButton");
    QVERIFY(!pick->isEnabled());
    QCOMPARE(pick->toolTip(), QStringLiteral("Connect a phone to pick a file from it"));
    connected = true;
    QTRY_VERIFY(pick->isEnabled());
    QCOMPARE(pick->toolTip(), QString());
    connected = false;
    QTRY_VERIFY(!pick->isEnabled());
    context_.phoneConnected = [] { return false; };
  }

  void titleRowsComeFromNameSettings() {
    ItemEditorDialog& d = Open();
    prompts_.scripts.push_back(TypeName(QStringLiteral("Hello"), 2));
    Click(d, "menuTitleAddButton");
    QTreeWidget* list = List(d, "menuTitleList");
    QCOMPARE(Row(list, 0), (QStringList{"#1", "03", "Hello"}));
    QVERIFY(Find<QPushButton>(d, "menuTitleEditButton")->isEnabled());
    QVERIFY(!Find<QPushButton>(d, "softkeyTitleEditButton")->isEnabled());

    // Edit opens on the row's language and remembers it for later adds.
    list->setCurrentItem(list->topLevelItem(0));
    prompts_.scripts.push_back([](QDialog& dialog) {
      QCOMPARE(Find<QComboBox>(dialog, "languageChoice")->currentText(),
               QStringLiteral("English UK"));
      QCOMPARE(Find<QLineEdit>(dialog, "nameField")->text(), QStringLiteral("Hello"));
      Click(dialog, "cancelButton");
    });
    Click(d, "menuTitleEditButton");
    for (int i = 2; i <= 12; ++i) {
      QVERIFY(Find<QPushButton>(d, "menuTitleAddButton")->isEnabled());
      prompts_.scripts.push_back(TypeName(QStringLiteral("T%1").arg(i)));
      Click(d, "menuTitleAddButton");
    }
    QCOMPARE(Row(list, 11), (QStringList{"#12", "03", "T12"}));
    QVERIFY(!Find<QPushButton>(d, "menuTitleAddButton")->isEnabled());
    list->setCurrentItem(list->topLevelItem(4));
    Click(d, "menuTitleDeleteButton");
    QCOMPARE(list->topLevelItemCount(), 11);
    QVERIFY(Find<QPushButton>(d, "menuTitleAddButton")->isEnabled());

    // Cancel and an empty name add nothing.
    prompts_.scripts.push_back([](QDialog& dialog) { Click(dialog, "cancelButton"); });
    prompts_.scripts.push_back(TypeName(QString()));
    Click(d, "menuTitleAddButton");
    Click(d, "menuTitleAddButton");
    QCOMPARE(list->topLevelItemCount(), 11);
    QVERIFY(prompts_.scripts.empty());
  }

  void typingALanguageNameKeepsTheFocusInTheList() {
    ItemEditorDialog& d = Open();
    prompts_.scripts.push_back([](QDialog& dialog) {
      auto* name = Find<QLineEdit>(dialog, "nameField");
      auto* choice = Find<QComboBox>(dialog, "languageChoice");
      QTest::keyClicks(name, QStringLiteral("Hallo"));
      choice->setFocus();
      QTest::keyClicks(choice, QStringLiteral("German"));
      QCOMPARE(choice->currentText(), QStringLiteral("German"));
      QVERIFY(choice->hasFocus());
      QCOMPARE(name->text(), QStringLiteral("Hallo"));
      // A pick from the open list hands the focus to the name.
      choice->showPopup();
      QTest::keyClick(choice->view(), Qt::Key_Down);
      QTest::keyClick(choice->view(), Qt::Key_Return);
      QTRY_VERIFY(name->hasFocus());
      Click(dialog, "okButton");
    });
    Click(d, "menuTitleAddButton");
    QCOMPARE(List(d, "menuTitleList")->topLevelItem(0)->text(2), QStringLiteral("Hallo"));
  }

  void tooLongNamesAreRefusedInTheDialog() {
    ItemEditorDialog& d = Open();
    prompts_.scripts.push_back([this](QDialog& dialog) {
      auto* name = Find<QLineEdit>(dialog, "nameField");
      name->setText(QString(400, QChar(u'n')));
      Click(dialog, "okButton");
      QVERIFY(dialog.isVisible());
      QCOMPARE(Text(prompts_.shown.back()), QString::fromStdString(EntryTooLongText()));
      QTest::keyClick(name, Qt::Key_Backspace);
      Click(dialog, "okButton");
    });
    Click(d, "softkeyTitleAddButton");
    QCOMPARE(List(d, "softkeyTitleList")->topLevelItem(0)->text(2).size(), 399);
  }

  void showTextRowsComeFromTheTextEditor() {
    ItemEditorDialog& d = Open();
    QVERIFY(!Find<QPushButton>(d, "showTextAddButton")->isEnabled());
    ChooseFunction(ItemFunction::ShowText);
    QCOMPARE(Find<QTabWidget>(d, "pages")->currentIndex(), 1);
    QVERIFY(Find<QGroupBox>(d, "showTextGroup")->isEnabled());
    prompts_.scripts.push_back([](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Text editor "));
      auto* text = Find<QPlainTextEdit>(dialog, "textField");
      QTest::keyClicks(text, QStringLiteral("Line one"));
      QTest::keyClick(text, Qt::Key_Return);
    });
    Click(d, "showTextAddButton");
    QCOMPARE(Row(List(d, "showTextList"), 0), (QStringList{"#1", "01", "Line one"}));

    // At most 399 characters, as many as an entry holds, so a full field is taken.
    prompts_.scripts.push_back([](QDialog& dialog) {
      auto* text = Find<QPlainTextEdit>(dialog, "textField");
      text->setPlainText(QString(450, QChar(u'x')));
      QCOMPARE(text->toPlainText().size(), 399);
      QTest::keyClick(text, Qt::Key_Enter);
    });
    Click(d, "showTextAddButton");
    QCOMPARE(List(d, "showTextList")->topLevelItemCount(), 2);
    QCOMPARE(List(d, "showTextList")->topLevelItem(1)->text(2).size(), 399);
  }

  void resetAllDataAsksFirst() {
    ItemEditorDialog& d = Open({ChunkSlot::Titles(TitleList::Menu, {{1, u"Menu"}})});
    auto* reset = Find<QPushButton>(d, "resetButton");
    QVERIFY(reset->isEnabled());
    QVERIFY(!Find<QPushButton>(d, "applyButton")->isEnabled());
    prompts_.answers = {false};
    Click(d, "resetButton");
    QCOMPARE(Text(prompts_.asked.at(0)),
             QStringLiteral("This will remove all data\r\n   Continue?"));
    QCOMPARE(List(d, "menuTitleList")->topLevelItemCount(), 1);
    Click(d, "resetButton");
    QCOMPARE(List(d, "menuTitleList")->topLevelItemCount(), 0);
    QVERIFY(!reset->isEnabled());
  }

  void foldersHaveNoFunctionPage() {
    ItemEditorDialog& d = Open({}, kFolder);
    QVERIFY(!Find<QTabWidget>(d, "pages")->isTabVisible(1));
    QVERIFY(!Find<QComboBox>(d, "functionChoice")->isEnabled());
  }

  void softKeysHaveNoIcons() {
    context_.phoneConnected = [] { return true; };
    ItemEditorDialog& d = Open({ChunkSlot::FileIcon(kStaticIcon, u"/a/x.gif")}, kPlainItem, true);
    QVERIFY(!Find<QGroupBox>(d, "iconGroup")->isEnabled());
    QCOMPARE(Find<QLineEdit>(d, "staticIconField")->text(), QString());
    QVERIFY(!Find<QCheckBox>(d, "protectedBox")->isEnabled());
    QVERIFY(Find<QCheckBox>(d, "nonChangeableBox")->isEnabled());
  }

  void disabledControlsSayWhy() {
    ItemEditorDialog& d = Open();
    auto* pick = Find<QPushButton>(d, "listIconPickButton");
    QVERIFY(!pick->isEnabled());
    QCOMPARE(pick->toolTip(), QStringLiteral("Connect a phone to pick a file from it"));
    ChooseFunction(ItemFunction::ApplicationStart);
    auto* midlets = Find<QComboBox>(d, "installedMidletChoice");
    QVERIFY(!midlets->isEnabled());
    QCOMPARE(midlets->toolTip(), QStringLiteral("Needs a J2MEST read from the phone"));
    // The "[?]" labels explain their fields.
    for (const auto& [field, hint] : {std::pair{"actionCodeField", kActionCodeHint},
                                      {"shortcutField", kShortcutDataHint},
                                      {"code14Field", kCodeByteHint}})
      QCOMPARE(Find<QLineEdit>(d, field)->toolTip(), ShownText(hint));
    auto* lockable = Find<QCheckBox>(d, "lockableBox");
    auto* protectedBox = Find<QCheckBox>(d, "protectedBox");
    QVERIFY(lockable->isEnabled() && lockable->isChecked() && lockable->toolTip().isEmpty());

    // From the moment OK would store a function the boxes show its 0x60.
    QTest::keyClicks(Find<QLineEdit>(d, "midletNameField"), QStringLiteral("Chess"));
    QVERIFY(!lockable->isEnabled() && !lockable->isChecked());
    QVERIFY(!protectedBox->isEnabled() && protectedBox->isChecked());
    QCOMPARE(protectedBox->toolTip(), QString::fromLatin1(kStoredWithFunctionText));
  }

  void loadedFunctionShowsItsGroupAndApplyCommits() {
    ItemEditorDialog& d = Open({ChunkSlot::Code(CallCode::Code13, 42)}, kSendMessage);
    QVERIFY(Find<QGroupBox>(d, "callSendGroup")->isEnabled());
    QVERIFY(Find<QRadioButton>(d, "sendButton")->isChecked());
    QCOMPARE(Find<QLineEdit>(d, "code13Field")->text(), QStringLiteral("42"));
    QVERIFY(!Find<QLineEdit>(d, "code12Field")->isEnabled());
    QCOMPARE(Find<QComboBox>(d, "functionChoice")->currentIndex(), 5);
    ClickIndicator(d, "callButton");
    QCOMPARE(d.model().ItemType(), kCallNumber);
    auto* apply = Find<QPushButton>(d, "applyButton");
    QVERIFY(apply->isEnabled());
    Click(d, "applyButton");
    QVERIFY(!apply->isEnabled());
  }
};

QTEST_MAIN(TestItemEditor)
#include "test_item_editor.moc"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/dialog_drm_icon_picker.h"
#include "gui/accessible_names.h"
#include "gui/scripted_editor_prompts.h"
#include "support/drm_binaries.h"
#include "support/test_support.h"

using namespace menuforge;
using menuforge::test::Click;
using menuforge::test::ClickIndicator;
using menuforge::test::Find;
using menuforge::test::ScriptedEditorPrompts;

namespace {

// Numbers 1 and 2 raw icons, 3 the end record, 4 and 5 stored files.
Bytes LayoutB() {
  return test::BuildDrmBinary(
      {test::DrmHeader::B,
       0x10000000,
       {test::StoredGif(16, 16, 1), test::StoredGif(24, 12, 2), test::StoredGif(8, 8, 3)},
       {test::PlainIcon(4, 4, 0x07E0), test::PlainIcon(6, 2, 0xF800)}});
}

QString SizeText(QWidget& dialog) { return Find<QLabel>(dialog, "sizeLabel")->text(); }
QString FieldText(QWidget& dialog) { return Find<QLineEdit>(dialog, "numberField")->text(); }

}  // namespace

class TestDrmPicker : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  ScriptedEditorPrompts prompts_;
  std::vector<std::filesystem::path> chosen_;
  int choices_ = 0;
  CurrentDrmBinary binary_;
  std::unique_ptr<DrmPickerDialog> dialog_;

  std::filesystem::path Write(const char* name, const Bytes& bytes) {
    const std::filesystem::path path = folder_.filePath(QString::fromLatin1(name)).toStdString();
    test::WriteFileBytes(path, bytes);
    return path;
  }

  DrmBinaryChooser Chooser() {
    return [this]() -> std::optional<std::filesystem::path> {
      ++choices_;
      if (chosen_.empty()) return std::nullopt;
      const std::filesystem::path path = chosen_.front();
      chosen_.erase(chosen_.begin());
      return path;
    };
  }

  DrmPickerDialog& Open(const Bytes& bytes) {
    if (binary_.Load(Write("icons.smg", bytes))) qFatal("binary not loaded");
    dialog_ = std::make_unique<DrmPickerDialog>(binary_, Chooser(), prompts_);
    dialog_->show();
    if (!QTest::qWaitForWindowExposed(dialog_.get())) qFatal("picker not shown");
    return *dialog_;
  }

  void Type(const QString& keys) {
    QTest::keyClicks(Find<QLineEdit>(*dialog_, "numberField"), keys);
  }
  void Backspaces(int count) {
    for (int i = 0; i < count; ++i)
      QTest::keyClick(Find<QLineEdit>(*dialog_, "numberField"), Qt::Key_Backspace);
  }

 private Q_SLOTS:
  void init() {
    prompts_ = ScriptedEditorPrompts{};
    chosen_.clear();
    choices_ = 0;
    binary_ = CurrentDrmBinary{};
  }
  void cleanup() { dialog_.reset(); }

  void opensOnNumberOneWithItsPreview() {
    DrmPickerDialog& d = Open(LayoutB());
    QCOMPARE(d.windowTitle(), QStringLiteral("DRM Icon Picker"));
    QCOMPARE(FieldText(d), QStringLiteral("1"));
    QCOMPARE(SizeText(d), QStringLiteral("Size: 4x4"));
    QMovie* movie = Find<QLabel>(d, "preview")->movie();
    QVERIFY(movie != nullptr);
    QVERIFY(movie->isValid());
    QCOMPARE(movie->currentImage().size(), QSize(4, 4));
    QVERIFY(Find<QRadioButton>(d, "screenSize176x220")->isChecked());
    QCOMPARE(Find<QLabel>(d, "preview")->size(), QSize(176, 220));
    QCOMPARE(test::UnnamedControls(d), QStringList());
  }

  void keyRulesRefuseNumbersOutOfRange() {
    DrmPickerDialog& d = Open(LayoutB());
    Backspaces(1);
    QCOMPARE(FieldText(d), QString());
    QCOMPARE(SizeText(d), QStringLiteral("Size: 4x4"));
    // 0 in an emptied field, 6 above the maximum of 5, and letters change nothing.
    Type(QStringLiteral("06x-"));
    QCOMPARE(FieldText(d), QString());
    Type(QStringLiteral("4"));
    QCOMPARE(FieldText(d), QStringLiteral("4"));
    QCOMPARE(SizeText(d), QStringLiteral("Size: 16x16"));
    Type(QStringLiteral("0"));
    QCOMPARE(FieldText(d), QStringLiteral("4"));
    Find<QLineEdit>(d, "numberField")->selectAll();
    Type(QStringLiteral("3"));
    QCOMPARE(FieldText(d), QStringLiteral("3"));
    QCOMPARE(SizeText(d), QStringLiteral("[no image]"));
    QVERIFY(Find<QLabel>(d, "preview")->movie() == nullptr);
  }

  void editingKeysWorkAsInAnyField() {
    DrmPickerDialog& d = Open(LayoutB());
    auto* field = Find<QLineEdit>(d, "numberField");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(field->selectedText(), QStringLiteral("1"));
    Type(QStringLiteral("4"));
    QCOMPARE(FieldText(d), QStringLiteral("4"));
    QTest::keyClick(field, Qt::Key_Left);
    QCOMPARE(field->cursorPosition(), 0);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(FieldText(d), QString());
    // Pasting stays out, as it would pass the digit rule by.
    QApplication::clipboard()->setText(QStringLiteral("x"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(FieldText(d), QString());
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!d.isVisible());
  }

  void upDownWrapsAround() {
    DrmPickerDialog& d = Open(LayoutB());
    Click(d, "downButton");
    QCOMPARE(FieldText(d), QStringLiteral("5"));
    QCOMPARE(SizeText(d), QStringLiteral("Size: 24x12"));
    Click(d, "upButton");
    QCOMPARE(FieldText(d), QStringLiteral("1"));
    Click(d, "upButton");
    QCOMPARE(SizeText(d), QStringLiteral("Size: 6x2"));
  }

  void emptyBinaryRefusesEveryNumber() {
    DrmPickerDialog& d = Open(Bytes(40, 0xFF));
    QCOMPARE(SizeText(d), QStringLiteral("[no image]"));
    Backspaces(1);
    Type(QStringLiteral("1"));
    QCOMPARE(FieldText(d), QString());
  }

  void screenSizeResizesTheWindow() {
    DrmPickerDialog& d = Open(LayoutB());
    const QSize before = d.size();
    ClickIndicator(d, "screenSize240x320");
    QCOMPARE(Find<QLabel>(d, "preview")->size(), QSize(240, 320));
    QTRY_COMPARE(d.size(), before + QSize(64, 100));
    ClickIndicator(d, "centeredBox");
    QCOMPARE(Find<QLabel>(d, "preview")->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }

  void loadNewReadsTheChosenFile() {
    DrmPickerDialog& d = Open(LayoutB());
    Click(d, "downButton");
    chosen_ = {Write(
        "other.smg",
        test::BuildDrmBinary({test::DrmHeader::A, 0x10000000, {test::StoredGif(32, 30, 7)}, {}}))};
    Click(d, "loadNewButton");
    QCOMPARE(FieldText(d), QStringLiteral("1"));
    QCOMPARE(SizeText(d), QStringLiteral("Size: 32x30"));
    Click(d, "upButton");
    QCOMPARE(FieldText(d), QStringLiteral("1"));
    // A file that cannot be read keeps the binary and says why.
    chosen_ = {folder_.filePath(QStringLiteral("missing.smg")).toStdString()};
    Click(d, "loadNewButton");
    QCOMPARE(prompts_.shown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(prompts_.shown[0].caption), QStringLiteral("Error"));
    QCOMPARE(binary_.path().filename().string(), std::string("other.smg"));
  }

  void pickerAsksForTheBinaryOnceAndGivesThePickedNumber() {
    DialogDrmIconPicker picker(prompts_, Chooser());
    QCOMPARE(picker.PickDrmIcon(nullptr), std::optional<std::uint16_t>());
    QCOMPARE(choices_, 1);

    chosen_ = {Write("icons.smg", LayoutB())};
    prompts_.scripts.push_back([](QDialog& d) {
      QTest::keyClick(Find<QLineEdit>(d, "numberField"), Qt::Key_Backspace);
      QTest::keyClicks(Find<QLineEdit>(d, "numberField"), QStringLiteral("5"));
      Click(d, "okButton");
    });
    QCOMPARE(picker.PickDrmIcon(nullptr), std::optional<std::uint16_t>(5));
    prompts_.scripts.push_back([](QDialog& d) { Click(d, "cancelButton"); });
    QCOMPARE(picker.PickDrmIcon(nullptr), std::optional<std::uint16_t>());
    QCOMPARE(choices_, 2);
  }
};

QTEST_MAIN(TestDrmPicker)
#include "test_drm_picker.moc"

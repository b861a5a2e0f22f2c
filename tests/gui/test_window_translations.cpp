#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/about_dialog.h"
#include "app/scan_progress_window.h"
#include "app/settings_dialog.h"
#include "browser/delete_request_dialog.h"
#include "browser/file_attributes_dialog.h"
#include "browser/file_mask_dialog.h"
#include "editor/core/field_checks.h"
#include "editor/item_editor_dialog.h"
#include "editor/name_settings_dialog.h"
#include "editor/text_editor_dialog.h"
#include "gui/scripted_editor_prompts.h"
#include "widgets/double_progress_window.h"
#include "widgets/translated_text.h"

using namespace menuforge;

namespace {

// Texts whose widget is smaller than the text needs: cut off at the window's edge, by a
// neighbour, or by a fixed size.
QStringList CutTexts(QWidget& window) {
  QStringList cut;
  const auto check = [&cut](QWidget* widget, const QString& text, bool fits) {
    if (widget->isVisible() && !text.isEmpty() && !fits) cut << text;
  };
  for (QLabel* label : window.findChildren<QLabel*>()) {
    const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                        : label->minimumSizeHint().width() <= label->width();
    check(label, label->text(), fits);
  }
  // A push button's size hint has a least width of the style's, which a small button such as
  // "..." is meant to go below; its text has to fit all the same.
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    const bool fits =
        qobject_cast<QPushButton*>(button)
            ? button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) + 6 <=
                  button->width()
            : button->sizeHint().width() <= button->width();
    check(button, button->text(), fits);
  }
  for (QGroupBox* group : window.findChildren<QGroupBox*>())
    check(group, group->title(), group->minimumSizeHint().width() <= group->width());
  return cut;
}

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

}  // namespace

class TestWindowTranslations : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTranslator> translator_;
  Settings settings_;
  EditorContext context_;
  test::ScriptedEditorPrompts prompts_;

  void Load(const QString& language) {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_ = std::make_unique<QTranslator>();
    if (language == QStringLiteral("en")) return;
    QVERIFY2(translator_->load(QStringLiteral("menuforge_") + language,
                               QStringLiteral(MENUFORGE_TRANSLATIONS)),
             qPrintable(language));
    QCoreApplication::installTranslator(translator_.get());
  }

  std::vector<std::pair<const char*, WindowMaker>> Windows() {
    return {
        {"settings", [this] { return std::make_unique<SettingsDialog>(settings_, "", true); }},
        {"about", [] { return std::make_unique<AboutDialog>(); }},
        {"item editor",
         [this] {
           auto editor = std::make_unique<ItemEditorDialog>(nullptr, context_, prompts_);
           editor->LoadItem(EditedNode{});
           return editor;
         }},
        {"name settings",
         [this] {
           return std::make_unique<NameSettingsDialog>(nullptr, EntryRequest{}, prompts_);
         }},
        {"text editor",
         [this] { return std::make_unique<TextEditorDialog>(nullptr, EntryRequest{}, prompts_); }},
        {"file mask",
         [] {
           return std::make_unique<FileMaskDialog>(nullptr, MaskDialogContent{"ab", "gif"});
         }},
        {"file attributes",
         [] { return std::make_unique<FileAttributesDialog>(nullptr, AttributeChoice{}); }},
        {"delete request", [] { return std::make_unique<DeleteRequestDialog>(nullptr); }},
        {"scan progress", [] { return std::make_unique<ScanProgressWindow>(nullptr); }},
        {"transfer progress",
         [] {
           auto window = std::make_unique<DoubleProgressWindow>();
           window->OfferCancel();
           return window;
         }},
    };
  }

 private Q_SLOTS:
  void cleanup() { Load(QStringLiteral("en")); }

  void noTextIsCutOff_data() {
    QTest::addColumn<QString>("language");
    for (const char* language : {"en", "de", "ru", "pt_BR", "es"})
      QTest::newRow(language) << QString::fromLatin1(language);
  }
  void noTextIsCutOff() {
    QFETCH(QString, language);
    Load(language);
    for (const auto& [name, make] : Windows()) {
      std::unique_ptr<QWidget> window = make();
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window.get()));
      // Each page of a window with pages is looked at in turn.
      auto* pages = window->findChild<QTabWidget*>();
      for (int page = 0; page < (pages ? pages->count() : 1); ++page) {
        if (pages) pages->setCurrentIndex(page);
        const QStringList cut = CutTexts(*window);
        QVERIFY2(cut.isEmpty(),
                 qPrintable(QString::fromLatin1(name) + u' ' + QString::number(page) +
                            QStringLiteral(": ") + cut.join(u" | ")));
      }
    }
  }

  void coreMessagesAreShownTranslatedWithTheirValues_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("tooLong");
    QTest::addColumn<QString>("caption");
    QTest::newRow("en") << "en"
                        << "Value too big\nInput will be ignored"
                        << "A title or text holds at most 399 characters.\nShorten it, then "
                           "press OK again"
                        << "Input format error";
    QTest::newRow("de") << "de"
                        << "Wert zu groß\nDie Eingabe wird ignoriert"
                        << "Ein Titel oder Text darf höchstens 399 Zeichen lang sein.\nKürzen "
                           "Sie ihn und drücken Sie dann erneut OK"
                        << "Eingabeformatfehler";
    QTest::newRow("ru") << "ru"
                        << "Слишком большое значение\nВвод будет проигнорирован"
                        << "Название или текст может содержать не более 399 символов.\n"
                           "Сократите его и снова нажмите OK"
                        << "Ошибка формата ввода";
  }
  void coreMessagesAreShownTranslatedWithTheirValues() {
    QFETCH(QString, language);
    QFETCH(QString, fault);
    QFETCH(QString, tooLong);
    QFETCH(QString, caption);
    Load(language);
    const Message refused = InputFaultMessage(InputFault::ValueTooBig);
    QCOMPARE(ShownMessageText(refused), fault);
    QCOMPARE(ShownCaption(refused), caption);
    QCOMPARE(ShownMessageText(*CheckEntryText(std::u16string(400, u'x'))), tooLong);
    // The core's English stays as it was, whatever the window shows.
    QCOMPARE(refused.text, std::string("Value too big\r\nInput will be ignored"));
  }
};

QTEST_MAIN(TestWindowTranslations)
#include "test_window_translations.moc"

#include "editor/text_editor_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <functional>

#include "editor/core/field_checks.h"
#include "editor/language_choice.h"
#include "editor/shown_texts.h"
#include "widgets/dialog_buttons.h"

namespace menuforge {
namespace {

// Wraps like a text area but holds one line: Enter confirms, pasted line breaks become blanks,
// and the text stops at the limit.
class OneLineTextArea : public QPlainTextEdit {
 public:
  OneLineTextArea(const QString& text, std::function<void()> confirm)
      : QPlainTextEdit(text), confirm_(std::move(confirm)) {
    connect(this, &QPlainTextEdit::textChanged, this, &OneLineTextArea::Limit);
    Limit();
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      confirm_();
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  }

 private:
  void Limit() {
    const QString text = toPlainText();
    QString limited = text;
    limited.replace(QChar(u'\n'), QChar(u' ')).truncate(kTextEditorMaxLength);
    if (limited == text) return;
    const int position = std::min(textCursor().position(), static_cast<int>(limited.size()));
    const QSignalBlocker blocker(this);
    setPlainText(limited);
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
  }

  std::function<void()> confirm_;
};

}  // namespace

TextEditorDialog::TextEditorDialog(QWidget* parent, const EntryRequest& request,
                                   UserDialogs& dialogs)
    : QDialog(parent),
      dialogs_(dialogs),
      textField_(new OneLineTextArea(Wide(request.text), [this] { accept(); })) {
  setWindowTitle(tr("Text editor "));
  textField_->setObjectName(QStringLiteral("textField"));
  textField_->setAccessibleName(tr("Text"));
  languageChoice_ = MakeLanguageChoice(this, request.languagePosition, textField_);

  QGroupBox* languageGroup = MakeLanguageGroup(languageChoice_);

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(languageGroup);
  layout->addWidget(textField_);
  layout->addWidget(buttons);
  textField_->setFocus();
}

std::u16string TextEditorDialog::text() const { return Wide(textField_->toPlainText()); }

std::size_t TextEditorDialog::languagePosition() const {
  return static_cast<std::size_t>(languageChoice_->currentIndex());
}

void TextEditorDialog::accept() {
  if (const std::optional<Message> refused = CheckEntryText(text())) {
    dialogs_.Show(*refused);
    return;
  }
  QDialog::accept();
}

}  // namespace menuforge

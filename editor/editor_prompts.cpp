#include "editor/editor_prompts.h"

#include <QDialog>
#include <QMessageBox>

#include "editor/shown_texts.h"

namespace menuforge {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtEditorPrompts::Show(const Message& message) {
  QMessageBox box(BoxIcon(message.icon), MessageText(message.caption), MessageText(message.text),
                  QMessageBox::Ok, parent_);
  box.exec();
}

bool QtEditorPrompts::Ask(const Message& question) {
  QMessageBox box(BoxIcon(question.icon), MessageText(question.caption),
                  MessageText(question.text), QMessageBox::Yes | QMessageBox::No, parent_);
  return box.exec() == QMessageBox::Yes;
}

bool QtEditorPrompts::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace menuforge

#include "editor/editor_prompts.h"

#include <QDialog>

#include "widgets/message_box.h"

namespace menuforge {

void QtEditorPrompts::Show(const Message& message) { ShowMessageBox(parent_, message); }

bool QtEditorPrompts::Ask(const Message& question) { return AskMessageBox(parent_, question); }

bool QtEditorPrompts::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace menuforge

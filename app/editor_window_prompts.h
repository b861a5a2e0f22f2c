// The main window's prompts as the item editor asks for them, so that whoever answers for the
// main window (the user, or a test's script) answers for the editor too.
#pragma once

#include <QDialog>

#include "editor/editor_prompts.h"
#include "widgets/window_prompts.h"

namespace menuforge {

class EditorWindowPrompts final : public EditorPrompts {
 public:
  explicit EditorWindowPrompts(WindowPrompts& prompts) : prompts_(prompts) {}

  void Show(const Message& message) override { prompts_.Show(message); }
  bool Ask(const Message& question) override { return prompts_.Ask(question); }
  bool RunModal(QDialog& dialog) override {
    prompts_.ShowModal(dialog);
    return dialog.result() == QDialog::Accepted;
  }

 private:
  WindowPrompts& prompts_;
};

}  // namespace menuforge

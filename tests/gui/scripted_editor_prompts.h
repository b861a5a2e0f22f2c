// A stand-in for the user of the item editor's window tests: messages and questions are
// recorded, and each modal dialog is driven by the next script of a queue instead of blocking.
#pragma once

#include <QDialog>
#include <QtTest>
#include <deque>
#include <functional>
#include <vector>

#include "editor/editor_prompts.h"
#include "gui/widget_lookup.h"

namespace menuforge::test {

class ScriptedEditorPrompts : public EditorPrompts {
 public:
  using Script = std::function<void(QDialog&)>;

  std::vector<Message> shown;
  std::vector<Message> asked;
  std::deque<bool> answers;  // Yes when empty
  std::deque<Script> scripts;

  void Show(const Message& message) override { shown.push_back(message); }

  bool Ask(const Message& question) override {
    asked.push_back(question);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  // Shows the dialog, runs the script on it, and reports whether the script accepted it.
  bool RunModal(QDialog& dialog) override {
    if (scripts.empty())
      qFatal("no script for the dialog \"%s\"", qPrintable(dialog.windowTitle()));
    const Script script = std::move(scripts.front());
    scripts.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) qFatal("dialog not shown");
    script(dialog);
    const bool accepted = dialog.result() == QDialog::Accepted;
    dialog.hide();
    return accepted;
  }
};

}  // namespace menuforge::test

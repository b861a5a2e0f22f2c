// A stand-in for the user of the item editor's window tests: messages and questions are
// recorded, and each modal dialog is driven by the next script of a queue instead of blocking.
#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QStyle>
#include <QtTest>
#include <deque>
#include <functional>
#include <vector>

#include "editor/editor_prompts.h"

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

template <typename Widget>
Widget* Find(QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget named %s", name);
  return widget;
}

inline void Click(QWidget& window, const char* name) {
  QTest::mouseClick(Find<QAbstractButton>(window, name), Qt::LeftButton);
}

// Radio buttons and check boxes take clicks only on their indicator and text, so the click goes
// to the indicator, which a stretched button does not move.
inline void ClickIndicator(QWidget& window, const char* name) {
  auto* button = Find<QAbstractButton>(window, name);
  const int indicator = button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(indicator / 2 + 1, button->height() / 2));
}

}  // namespace menuforge::test

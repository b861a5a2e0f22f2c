// A stand-in for the user of the phone file browser's window tests: messages and questions are
// recorded, file and folder choices come from queues, and each modal dialog is driven by the
// next script instead of blocking.
#pragma once

#include <QDialog>
#include <QtTest>
#include <deque>
#include <functional>
#include <vector>

#include "browser/browser_prompts.h"

namespace menuforge::test {

class ScriptedBrowserPrompts : public BrowserPrompts {
 public:
  using Script = std::function<void(QDialog&)>;

  std::vector<Message> shown;
  std::vector<Message> asked;
  std::deque<bool> answers;                                  // Yes when empty
  std::deque<std::vector<std::filesystem::path>> openFiles;  // cancel when empty
  std::deque<std::filesystem::path> savePaths;               // cancel when empty
  std::deque<std::filesystem::path> folders;                 // cancel when empty
  std::deque<std::u16string> inputs;                         // cancel when empty
  std::deque<Script> scripts;
  QStringList modalTitles;

  void Show(const Message& message) override { shown.push_back(message); }
  bool Ask(const Message& question) override {
    asked.push_back(question);
    return Next(answers).value_or(true);
  }
  std::vector<std::filesystem::path> OpenFileNames(const FileDialogText&) override {
    return Next(openFiles).value_or(std::vector<std::filesystem::path>{});
  }
  std::optional<std::filesystem::path> SaveFileName(const FileDialogText&) override {
    return Next(savePaths);
  }
  std::optional<std::filesystem::path> ChooseFolder(const char*,
                                                    const std::filesystem::path&) override {
    return Next(folders);
  }
  std::optional<std::u16string> InputText(const char*, const char*) override {
    return Next(inputs);
  }
  bool RunModal(QDialog& dialog) override {
    modalTitles.push_back(dialog.windowTitle());
    if (scripts.empty()) qFatal("no script for \"%s\"", qPrintable(dialog.windowTitle()));
    const Script script = *Next(scripts);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) qFatal("dialog not shown");
    script(dialog);
    dialog.hide();
    return dialog.result() == QDialog::Accepted;
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
  }
};

}  // namespace menuforge::test

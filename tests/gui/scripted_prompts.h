// Stands in for the user in the main window's tests: records every message and dialog, and
// answers from queues filled by the test.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "widgets/window_prompts.h"

namespace menuforge::test {

class ScriptedPrompts : public WindowPrompts {
 public:
  std::vector<Message> shown;
  std::vector<Message> asked;
  std::vector<QString> modalTitles;
  std::deque<bool> answers;  // Yes when empty
  std::vector<Message> saveQuestions;
  std::deque<SaveChoice> saveChoices;  // Discard when empty
  // How many of the next "Show changes" questions are answered with that button first.
  int showChangesPresses = 0;
  std::deque<std::filesystem::path> openPaths;  // cancel when empty
  std::deque<std::filesystem::path> savePaths;  // cancel when empty
  std::vector<std::string> openTitles;
  std::vector<std::string> saveTitles;
  std::vector<std::string> proposedNames;  // of the open and save dialogs, "" for none
  // Acts on a modal dialog as the user would, while it is "shown".
  std::function<void(QDialog&)> onModal;

  void Show(const Message& message) override { shown.push_back(message); }
  bool Ask(const Message& question) override {
    asked.push_back(question);
    return Next(answers, true);
  }
  SaveChoice AskToSave(const Message& question) override {
    saveQuestions.push_back(question);
    return Next(saveChoices, SaveChoice::Discard);
  }
  std::optional<bool> AskOrShowChanges(const Message& question) override {
    if (PressShowChanges()) {
      asked.push_back(question);
      return std::nullopt;
    }
    return Ask(question);
  }
  std::optional<SaveChoice> AskToSaveOrShowChanges(const Message& question) override {
    if (PressShowChanges()) {
      saveQuestions.push_back(question);
      return std::nullopt;
    }
    return AskToSave(question);
  }
  std::optional<std::filesystem::path> OpenFileName(const FileDialogText& text) override {
    openTitles.emplace_back(text.title);
    proposedNames.emplace_back(text.proposedName ? text.proposedName : "");
    return NextPath(openPaths);
  }
  std::optional<std::filesystem::path> SaveFileName(const FileDialogText& text) override {
    saveTitles.emplace_back(text.title);
    proposedNames.emplace_back(text.proposedName ? text.proposedName : "");
    return NextPath(savePaths);
  }
  std::vector<std::filesystem::path> openedDocuments;
  bool OpenDocument(const std::filesystem::path& file) override {
    openedDocuments.push_back(file);
    return true;
  }
  void ShowModal(QDialog& dialog) override {
    modalTitles.push_back(dialog.windowTitle());
    if (onModal) onModal(dialog);
  }

 private:
  bool PressShowChanges() {
    if (showChangesPresses == 0) return false;
    --showChangesPresses;
    return true;
  }
  template <typename T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (queue.empty()) return otherwise;
    T next = queue.front();
    queue.pop_front();
    return next;
  }
  static std::optional<std::filesystem::path> NextPath(std::deque<std::filesystem::path>& queue) {
    if (queue.empty()) return std::nullopt;
    return Next(queue, std::filesystem::path());
  }
};

}  // namespace menuforge::test

// Everything the phone file browser asks of the user in a window of its own, behind one
// interface so that tests can answer with a script instead of blocking.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/user_messages.h"
#include "widgets/window_prompts.h"

class QDialog;
class QWidget;

namespace menuforge {

class BrowserPrompts : public UserDialogs {
 public:
  // Several existing files; empty when cancelled.
  virtual std::vector<std::filesystem::path> OpenFileNames(const FileDialogText& text) = 0;
  // `text.proposedName` is UTF-8. Asks before replacing a file.
  virtual std::optional<std::filesystem::path> SaveFileName(const FileDialogText& text) = 0;
  // A folder chooser with a new-folder button, opened at `start`.
  virtual std::optional<std::filesystem::path> ChooseFolder(const char* title,
                                                            const std::filesystem::path& start) = 0;
  // A one-line input box; nothing when cancelled.
  virtual std::optional<std::u16string> InputText(const char* title, const char* prompt) = 0;
  // Shows the dialog modally; true when it was accepted.
  virtual bool RunModal(QDialog& dialog) = 0;
};

// Message boxes and dialogs over `parent`.
class QtBrowserPrompts final : public BrowserPrompts {
 public:
  explicit QtBrowserPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Show(const Message& message) override;
  bool Ask(const Message& question) override;
  std::vector<std::filesystem::path> OpenFileNames(const FileDialogText& text) override;
  std::optional<std::filesystem::path> SaveFileName(const FileDialogText& text) override;
  std::optional<std::filesystem::path> ChooseFolder(const char* title,
                                                    const std::filesystem::path& start) override;
  std::optional<std::u16string> InputText(const char* title, const char* prompt) override;
  bool RunModal(QDialog& dialog) override;

 private:
  QWidget* parent_;
};

}  // namespace menuforge

// Everything a window asks of the user in a dialog of its own, behind one interface so
// that tests can answer with a script.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

#include "base/asker.h"
#include "widgets/message_box.h"

class QDialog;
class QWidget;

namespace menuforge {

// `filter` in Qt's form, "Name (*.ext)", or as "Name|*.ext" pairs.
struct FileDialogText {
  const char* title;
  const char* filter;
  // A file name, or the folder the dialog starts in.
  const char* proposedName = nullptr;
};

// "SEEM files|*.seem" becomes "SEEM files (*.seem)"; "*.a;*.b" becomes "*.a *.b" and "*.*"
// becomes "*".
QString QtFileFilter(const char* filter);
// A file name from a dialog as the local file system spells it.
std::filesystem::path LocalPath(const QString& name);

// The questions of the session's operations, and the dialogs only a window has.
class WindowPrompts : public Asker {
 public:
  // Nothing when the user cancels.
  virtual std::optional<std::filesystem::path> OpenFileName(const FileDialogText& text) = 0;
  virtual std::optional<std::filesystem::path> SaveFileName(const FileDialogText& text) = 0;
  virtual void ShowModal(QDialog& dialog) = 0;
  // A local document in the desktop's viewer; false when nothing there takes it.
  virtual bool OpenDocument(const std::filesystem::path& file) = 0;
};

// Message boxes and file dialogs over `parent`.
class QtWindowPrompts : public WindowPrompts {
 public:
  explicit QtWindowPrompts(QWidget* parent) : parent_(parent) {}

  void Show(const Message& message) override;
  bool Ask(const Message& question) override;
  SaveChoice AskToSave(const Message& question) override;
  std::optional<bool> AskOrShowChanges(const Message& question) override;
  std::optional<SaveChoice> AskToSaveOrShowChanges(const Message& question) override;
  std::optional<std::filesystem::path> OpenFileName(const FileDialogText& text) override;
  std::optional<std::filesystem::path> SaveFileName(const FileDialogText& text) override;
  void ShowModal(QDialog& dialog) override;
  bool OpenDocument(const std::filesystem::path& file) override;

 private:
  QWidget* parent_;
};

}  // namespace menuforge

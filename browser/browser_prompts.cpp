#include "browser/browser_prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>

#include "widgets/message_box.h"

namespace menuforge {

void QtBrowserPrompts::Show(const Message& message) { ShowMessageBox(parent_, message); }

bool QtBrowserPrompts::Ask(const Message& question) { return AskMessageBox(parent_, question); }

std::vector<std::filesystem::path> QtBrowserPrompts::OpenFileNames(const FileDialogText& text) {
  std::vector<std::filesystem::path> paths;
  for (const QString& name : QFileDialog::getOpenFileNames(parent_, QString::fromLatin1(text.title),
                                                           QString(), QtFileFilter(text.filter)))
    paths.push_back(LocalPath(name));
  return paths;
}

std::optional<std::filesystem::path> QtBrowserPrompts::SaveFileName(const FileDialogText& text) {
  const QString proposed = text.proposedName ? QString::fromUtf8(text.proposedName) : QString();
  const QString name = QFileDialog::getSaveFileName(parent_, QString::fromLatin1(text.title),
                                                    proposed, QtFileFilter(text.filter));
  if (name.isEmpty()) return std::nullopt;
  return LocalPath(name);
}

std::optional<std::filesystem::path> QtBrowserPrompts::ChooseFolder(
    const char* title, const std::filesystem::path& start) {
  // Qt's own dialog has the new-folder button and the edit field the platform's may lack.
  const QString name = QFileDialog::getExistingDirectory(
      parent_, QString::fromLatin1(title), QFile::decodeName(start.c_str()),
      QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (name.isEmpty()) return std::nullopt;
  return LocalPath(name);
}

std::optional<std::u16string> QtBrowserPrompts::InputText(const char* title, const char* prompt) {
  bool accepted = false;
  const QString text =
      QInputDialog::getText(parent_, QString::fromLatin1(title), QString::fromLatin1(prompt),
                            QLineEdit::Normal, QString(), &accepted);
  if (!accepted) return std::nullopt;
  return text.toStdU16String();
}

bool QtBrowserPrompts::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace menuforge

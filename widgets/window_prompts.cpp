#include "widgets/window_prompts.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QUrl>

#include "widgets/message_box.h"

namespace menuforge {

QString QtFileFilter(const char* filter) {
  const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
  if (parts.size() < 2) return parts.front();
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    // Qt separates patterns with blanks, and its "*.*" would hide files without a dot.
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
      if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

std::filesystem::path LocalPath(const QString& name) {
  return QFile::encodeName(name).toStdString();
}

namespace {

QString ProposedName(const FileDialogText& text) {
  return text.proposedName ? QFile::decodeName(text.proposedName) : QString();
}

std::optional<std::filesystem::path> ChosenPath(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return LocalPath(name);
}

}  // namespace

void QtWindowPrompts::Show(const Message& message) { ShowMessageBox(parent_, message); }

bool QtWindowPrompts::Ask(const Message& question) { return AskMessageBox(parent_, question); }

SaveChoice QtWindowPrompts::AskToSave(const Message& question) {
  return AskToSaveMessageBox(parent_, question);
}

std::optional<bool> QtWindowPrompts::AskOrShowChanges(const Message& question) {
  return AskOrShowChangesMessageBox(parent_, question);
}

std::optional<SaveChoice> QtWindowPrompts::AskToSaveOrShowChanges(const Message& question) {
  return AskToSaveOrShowChangesMessageBox(parent_, question);
}

std::optional<std::filesystem::path> QtWindowPrompts::OpenFileName(const FileDialogText& text) {
  return ChosenPath(QFileDialog::getOpenFileName(parent_, QString::fromLatin1(text.title),
                                                 ProposedName(text), QtFileFilter(text.filter)));
}

std::optional<std::filesystem::path> QtWindowPrompts::SaveFileName(const FileDialogText& text) {
  return ChosenPath(QFileDialog::getSaveFileName(parent_, QString::fromLatin1(text.title),
                                                 ProposedName(text), QtFileFilter(text.filter)));
}

void QtWindowPrompts::ShowModal(QDialog& dialog) { dialog.exec(); }

bool QtWindowPrompts::OpenDocument(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(file.c_str())));
}

}  // namespace menuforge

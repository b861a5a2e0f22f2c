#include "app/window_prompts.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "app/shown_text.h"

namespace menuforge {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// "SEEM files|*.seem" becomes "SEEM files (*.seem)".
QString QtFilter(const char* filter) {
  const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
  if (parts.size() < 2) return parts.front();
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  return filters.join(QStringLiteral(";;"));
}

QString ProposedName(const FileDialogText& text) {
  return text.proposedName ? QString::fromLatin1(text.proposedName) : QString();
}

std::optional<std::filesystem::path> ChosenPath(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

}  // namespace

void QtWindowPrompts::Show(const Message& message) {
  QMessageBox box(BoxIcon(message.icon), ShownText(message.caption), ShownText(message.text),
                  QMessageBox::Ok, parent_);
  box.exec();
}

bool QtWindowPrompts::Ask(const Message& question) {
  QMessageBox box(BoxIcon(question.icon), ShownText(question.caption), ShownText(question.text),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::filesystem::path> QtWindowPrompts::OpenFileName(const FileDialogText& text) {
  return ChosenPath(QFileDialog::getOpenFileName(parent_, QString::fromLatin1(text.title),
                                                 ProposedName(text), QtFilter(text.filter)));
}

std::optional<std::filesystem::path> QtWindowPrompts::SaveFileName(const FileDialogText& text) {
  return ChosenPath(QFileDialog::getSaveFileName(parent_, QString::fromLatin1(text.title),
                                                 ProposedName(text), QtFilter(text.filter)));
}

void QtWindowPrompts::ShowModal(QDialog& dialog) { dialog.exec(); }

}  // namespace menuforge

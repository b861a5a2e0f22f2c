#include "app/working_folder_lock.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/core/folder_lock_text.h"
#include "widgets/shown_text.h"

namespace menuforge {

WorkingFolderLock::WorkingFolderLock(const std::filesystem::path& folder)
    : lock_(folder, QCoreApplication::applicationName().toStdString()) {}

FolderAccess WorkingFolderLock::Take(const std::function<bool(const Message&)>& openReadOnly) {
  const std::optional<std::string> question = lock_.Take();
  if (!question) return FolderAccess::Writable;
  return openReadOnly({*question, kFolderInUseCaption, MessageIcon::Warning})
             ? FolderAccess::ReadOnly
             : FolderAccess::Quit;
}

bool AskToOpenReadOnly(const Message& question) {
  QMessageBox box(QMessageBox::Warning, ShownText(question.caption), ShownText(question.text));
  QPushButton* readOnly = box.addButton(ShownText(kOpenReadOnlyButton), QMessageBox::AcceptRole);
  box.addButton(ShownText(kQuitButton), QMessageBox::RejectRole);
  box.setDefaultButton(readOnly);
  box.exec();
  return box.clickedButton() == readOnly;
}

}  // namespace menuforge

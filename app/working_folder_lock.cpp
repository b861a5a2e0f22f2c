#include "app/working_folder_lock.h"

#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include "app/core/folder_lock_text.h"
#include "widgets/shown_text.h"

namespace menuforge {

WorkingFolderLock::WorkingFolderLock(const std::filesystem::path& folder)
    : folder_(folder), lock_(QFile::decodeName((folder / kFolderLockFileName).c_str())) {
  // Only a holder that is gone makes a lock stale, however long the other program runs.
  lock_.setStaleLockTime(0);
}

FolderAccess WorkingFolderLock::Take(const std::function<bool(const Message&)>& openReadOnly) {
  if (lock_.tryLock(0)) return FolderAccess::Writable;
  std::string text;
  qint64 processId = 0;
  QString host;
  QString program;
  if (lock_.error() == QLockFile::LockFailedError && lock_.getLockInfo(&processId, &host, &program))
    text =
        FolderInUseText(folder_.string(), {processId, host.toStdString(), program.toStdString()});
  else
    text = FolderNotLockableText(folder_.string());
  return openReadOnly({text, kFolderInUseCaption, MessageIcon::Warning}) ? FolderAccess::ReadOnly
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

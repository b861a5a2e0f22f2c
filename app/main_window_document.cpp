// The menu as a document: the question about unsaved changes, the recent files, files dropped
// from a file manager, the folder the file dialogs start in, and the window's remembered size.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <QUrl>

#include "app/main_window.h"
#include "app/phone_preview_dock.h"
#include "widgets/shown_text.h"
#include "workspace/window_size.h"

namespace menuforge {
namespace {

// The one local file a drag carries, if that is what it carries.
std::optional<std::filesystem::path> DraggedFile(const QMimeData* data) {
  if (!data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
    return std::nullopt;
  return std::filesystem::path(QFile::encodeName(data->urls().front().toLocalFile()).toStdString());
}

}  // namespace

bool MainWindow::MaySetMenuAside() {
  if (!document_.modified()) return true;
  const Message question = document_.current().SaveChangesQuestion();
  std::optional<SaveChoice> choice;
  while (!(choice = prompts_->AskToSaveOrShowChanges(question))) ShowUnsavedChanges();
  switch (*choice) {
    case SaveChoice::Save: return SaveMenu();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
  }
  return false;
}

std::string MainWindow::DialogFolder() const { return lastFolder_.string(); }

void MainWindow::RememberRecentFile(const std::filesystem::path& path) {
  std::error_code error;
  lastFolder_ = std::filesystem::absolute(path, error).parent_path();
  recentFiles_.Add(path);
  ShowRecentFiles();
  StoreRecentFiles();
}

void MainWindow::ShowRecentFiles() {
  recentMenu_->clear();
  const std::vector<std::filesystem::path>& paths = recentFiles_.paths();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::filesystem::path path = paths[i];
    QAction* action = recentMenu_->addAction(ShownText(RecentMenuEntryText(i, path)));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
  }
  recentMenu_->setEnabled(!recentFiles_.paths().empty());
}

void MainWindow::StoreRecentFiles() {
  // The list is a convenience: a settings file that cannot be written costs it, nothing more.
  if (!readOnly_)
    static_cast<void>(WriteRecentFiles(workingFolder_ / kSettingsFileName, recentFiles_));
}

void MainWindow::OpenRecentFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    prompts_->Show({MissingRecentFileText(path), kWarningCaption, MessageIcon::Warning});
    recentFiles_.Remove(path);
    ShowRecentFiles();
    StoreRecentFiles();
    return;
  }
  if (MaySetMenuAside()) OpenFile(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedFile(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const std::optional<std::filesystem::path> file = DraggedFile(event->mimeData());
  if (!file) return;
  event->acceptProposedAction();
  if (phoneIdle_ && MaySetMenuAside()) OpenFile(*file);
}

void MainWindow::RememberWindowSize() {
  if (readOnly_) return;
  const QSize size = isMaximized() ? normalGeometry().size() : this->size();
  // Like the recent files, a size that cannot be written is only not remembered.
  static_cast<void>(WriteWindowSize(workingFolder_ / kSettingsFileName,
                                    {size.width(), size.height(), isMaximized()}));
  static_cast<void>(
      WritePreviewDockState(workingFolder_ / kSettingsFileName, previewDock_->State()));
}

}  // namespace menuforge

// The menu as a document: the question about unsaved changes, the recent files, files dropped
// from a file manager, the folder the file dialogs start in, and the window's remembered size.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
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
  return session_.MaySetMenuAside([this] { ShowUnsavedChanges(); }, [this] { return SaveMenu(); });
}

void MainWindow::RememberRecentFile(const std::filesystem::path& path) {
  session_.RememberRecentFile(path);
  ShowRecentFiles();
}

void MainWindow::ShowRecentFiles() {
  recentMenu_->clear();
  const std::vector<std::filesystem::path>& paths = session_.recentFiles().paths();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::filesystem::path path = paths[i];
    QAction* action = recentMenu_->addAction(ShownText(RecentMenuEntryText(i, path)));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
  }
  recentMenu_->setEnabled(!paths.empty());
}

void MainWindow::OpenRecentFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    prompts_->Show(session_.ForgetMissingRecentFile(path));
    ShowRecentFiles();
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
  if (session_.phoneIdle() && MaySetMenuAside()) OpenFile(*file);
}

void MainWindow::RememberWindowSize() {
  if (session_.readOnly()) return;
  const QSize size = isMaximized() ? normalGeometry().size() : this->size();
  // Like the recent files, a size that cannot be written is only not remembered.
  static_cast<void>(WriteWindowSize(session_.workingFolder() / kSettingsFileName,
                                    {size.width(), size.height(), isMaximized()}));
  static_cast<void>(
      WritePreviewDockState(session_.workingFolder() / kSettingsFileName, previewDock_->State()));
}

}  // namespace menuforge

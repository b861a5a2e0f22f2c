// Undo and redo: the document keeps the steps; the window offers them and shows what each one
// changed.
#include <QStyle>

#include "app/core/command_hints.h"
#include "app/main_window.h"
#include "app/menu_tree_view.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

// Enabled, the action names its step ("&Undo Delete item") and the tooltip follows the text;
// off, it is the bare caption and the tooltip says there is nothing.
void ShowStep(QAction* action, const char* caption, const std::optional<std::string>& step,
              const char* nothingHint) {
  QString text = QString::fromLatin1(caption);
  if (step) text += QLatin1Char(' ') + ShownText(*step);
  action->setText(text);
  action->setEnabled(step.has_value());
  action->setToolTip(step ? QString() : QString::fromLatin1(nothingHint));
}

}  // namespace

void MainWindow::CreateUndoActions() {
  undoAction_ = new QAction(this);
  undoAction_->setObjectName(QStringLiteral("undoAction"));
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undoAction_->setIcon(
      QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
  redoAction_ = new QAction(this);
  redoAction_->setObjectName(QStringLiteral("redoAction"));
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redoAction_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                        style()->standardIcon(QStyle::SP_ArrowForward)));
  connect(undoAction_, &QAction::triggered, this, [this] { ShowEditedNode(document_.Undo()); });
  connect(redoAction_, &QAction::triggered, this, [this] { ShowEditedNode(document_.Redo()); });
  ShowHistory();
}

void MainWindow::ShowHistory() {
  ShowStep(undoAction_, "&Undo", document_.UndoName(), kNothingToUndoHint);
  ShowStep(redoAction_, "&Redo", document_.RedoName(), kNothingToRedoHint);
}

void MainWindow::ShowEditedNode(MenuNode* node) {
  if (node) treeView_->SelectNode(node);
}

void MainWindow::DocumentChanged(DocumentChange change) {
  switch (change) {
    case DocumentChange::Contents:
      HideSummary();
      ShowCatalogState();
      RefreshStatus();
      ShowCommandStates();
      break;
    case DocumentChange::Entries:
      RefreshSummary();
      RefreshStatus();
      break;
    case DocumentChange::Options: ShowFormatOptions(); break;
    case DocumentChange::Profile: ShowCatalogState(); break;
    // A save may have changed the file's format, and so may a copy written to the phone.
    case DocumentChange::File:
    case DocumentChange::PhoneCopyOutOfDate: RefreshStatus(); break;
    case DocumentChange::History: ShowHistory(); break;
    case DocumentChange::Modified: break;
  }
  ShowTitle();
}

void MainWindow::DocumentGone() {
  for (const QObject* sender :
       std::initializer_list<const QObject*>{model_, treeView_, treeView_->selectionModel()})
    disconnect(sender, nullptr, this, nullptr);
}

void MainWindow::ShowTitle() {
  // The see-through toggle has a title of its own until it is toggled back.
  if (!seeThrough_) return;
  setWindowTitle(QString::fromStdString(document_.current().WindowTitle()) +
                 (readOnly_ ? QStringLiteral(" (read-only folder)") : QString()));
  setWindowModified(document_.modified());
}

}  // namespace menuforge

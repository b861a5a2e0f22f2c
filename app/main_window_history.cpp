// Undo and redo: every edit of the menu tree goes on the undo stack as one command, and the
// stack's clean state is the document's unmodified state; what the window shows of the document.
#include <QStyle>
#include <QUndoStack>

#include "app/core/command_hints.h"
#include "app/main_window.h"
#include "app/menu_tree_model.h"
#include "app/menu_tree_view.h"
#include "app/tree_edit_command.h"
#include "menu/tree_edit.h"

namespace menuforge {
namespace {

// Each step keeps two copies of every record, a few dozen kilobytes for the largest menus.
constexpr int kUndoLimit = 200;

}  // namespace

void MainWindow::CreateUndoActions() {
  undoStack_ = new QUndoStack(this);
  undoStack_->setUndoLimit(kUndoLimit);
  undoAction_ = undoStack_->createUndoAction(this, QStringLiteral("&Undo"));
  undoAction_->setObjectName(QStringLiteral("undoAction"));
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undoAction_->setIcon(
      QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
  redoAction_ = undoStack_->createRedoAction(this, QStringLiteral("&Redo"));
  redoAction_->setObjectName(QStringLiteral("redoAction"));
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redoAction_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                        style()->standardIcon(QStyle::SP_ArrowForward)));
  connect(undoStack_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { document_.SetModified(!clean); });
  // Enabled, the tooltip follows the text ("Undo Delete"); off, it says there is nothing.
  connect(undoStack_, &QUndoStack::canUndoChanged, this, [this](bool can) {
    undoAction_->setToolTip(can ? QString() : QString::fromLatin1(kNothingToUndoHint));
  });
  connect(undoStack_, &QUndoStack::canRedoChanged, this, [this](bool can) {
    redoAction_->setToolTip(can ? QString() : QString::fromLatin1(kNothingToRedoHint));
  });
  undoAction_->setToolTip(QString::fromLatin1(kNothingToUndoHint));
  redoAction_->setToolTip(QString::fromLatin1(kNothingToRedoHint));
}

void MainWindow::Record(const char* text, const std::function<void()>& edit) {
  TreeEditRecorder recorder(document_.tree());
  edit();
  if (std::optional<TreeEdit> done = recorder.Finish())
    undoStack_->push(new TreeEditCommand(document_, std::move(*done), QString::fromLatin1(text),
                                         [this](MenuNode* node) { ShowEditedNode(node); }));
}

void MainWindow::ShowEditedNode(MenuNode* node) {
  if (node) treeView_->SelectNode(node);
  RefreshSummary();
  RefreshStatus();
}

void MainWindow::DocumentChanged(DocumentChange change) {
  if (change == DocumentChange::Contents) {
    undoStack_->clear();
    HideSummary();
    ShowCatalogState();
    RefreshStatus();
    ShowCommandStates();
  }
  // A save may have changed the file's format.
  if (change == DocumentChange::File) RefreshStatus();
  ShowTitle();
}

void MainWindow::DocumentGone() {
  for (const QObject* sender : std::initializer_list<const QObject*>{undoStack_, model_, treeView_,
                                                                     treeView_->selectionModel()})
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

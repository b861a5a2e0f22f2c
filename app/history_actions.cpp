#include "app/history_actions.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

#include "app/core/command_hints.h"
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

HistoryActions::HistoryActions(MenuDocument& document, QWidget& owner)
    : QObject(&owner),
      document_(&document),
      undo_(new QAction(&owner)),
      redo_(new QAction(&owner)) {
  undo_->setObjectName(QStringLiteral("undoAction"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"),
                                  owner.style()->standardIcon(QStyle::SP_ArrowBack)));
  redo_->setObjectName(QStringLiteral("redoAction"));
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                  owner.style()->standardIcon(QStyle::SP_ArrowForward)));
  connect(undo_, &QAction::triggered, this, [this] {
    if (document_) Q_EMIT NodeEdited(document_->Undo());
  });
  connect(redo_, &QAction::triggered, this, [this] {
    if (document_) Q_EMIT NodeEdited(document_->Redo());
  });
  document.AddObserver(*this);
  Show();
}

void HistoryActions::DocumentChanged(DocumentChange change) {
  if (change == DocumentChange::History) Show();
}

void HistoryActions::Show() {
  if (!document_) return;
  ShowStep(undo_, "&Undo", document_->UndoName(), kNothingToUndoHint);
  ShowStep(redo_, "&Redo", document_->RedoName(), kNothingToRedoHint);
}

}  // namespace menuforge

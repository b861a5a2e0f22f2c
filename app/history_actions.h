// Undo and Redo: the document keeps the steps; the actions name the step each would take and
// follow the document's history as it tells of it.
#pragma once

#include <QObject>

#include "document/menu_document.h"

class QAction;
class QWidget;

namespace menuforge {

class HistoryActions final : public QObject, private DocumentObserver {
  Q_OBJECT

 public:
  HistoryActions(MenuDocument& document, QWidget& owner);

  QAction* undo() const { return undo_; }
  QAction* redo() const { return redo_; }

 Q_SIGNALS:
  // After an undo or redo, the node the step changed, if any.
  void NodeEdited(MenuNode* node);

 private:
  void DocumentChanged(DocumentChange change) override;
  void DocumentGone() override { document_ = nullptr; }
  void Show();

  MenuDocument* document_;
  QAction* undo_;
  QAction* redo_;
};

}  // namespace menuforge

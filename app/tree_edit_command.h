// One edit of the menu on the undo stack.
#pragma once

#include <QUndoCommand>
#include <functional>

#include "app/core/menu_document.h"
#include "menu/tree_edit.h"

namespace menuforge {

class TreeEditCommand : public QUndoCommand {
 public:
  // Called with the node to select after each undo and redo (nullptr for none).
  using ShowNode = std::function<void(MenuNode*)>;

  // The edit has been made already; the stack's first redo leaves it as it is.
  TreeEditCommand(MenuDocument& document, TreeEdit edit, const QString& text, ShowNode show);

  void undo() override;
  void redo() override;

 private:
  MenuDocument& document_;
  TreeEdit edit_;
  ShowNode show_;
  bool done_ = true;
};

}  // namespace menuforge

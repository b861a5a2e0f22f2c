#include "app/tree_edit_command.h"

namespace menuforge {

TreeEditCommand::TreeEditCommand(MenuDocument& document, TreeEdit edit, const QString& text,
                                 ShowNode show)
    : QUndoCommand(text), document_(document), edit_(std::move(edit)), show_(std::move(show)) {}

void TreeEditCommand::undo() { show_(UndoTreeEdit(document_.tree(), edit_)); }

void TreeEditCommand::redo() {
  if (done_) {
    done_ = false;
    return;
  }
  show_(RedoTreeEdit(document_.tree(), edit_));
}

}  // namespace menuforge

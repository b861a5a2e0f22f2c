#include "app/tree_edit_command.h"

namespace menuforge {

TreeEditCommand::TreeEditCommand(MenuTree& tree, TreeEdit edit, const QString& text, ShowNode show)
    : QUndoCommand(text), tree_(tree), edit_(std::move(edit)), show_(std::move(show)) {}

void TreeEditCommand::undo() { show_(UndoTreeEdit(tree_, edit_)); }

void TreeEditCommand::redo() {
  if (done_) {
    done_ = false;
    return;
  }
  show_(RedoTreeEdit(tree_, edit_));
}

}  // namespace menuforge

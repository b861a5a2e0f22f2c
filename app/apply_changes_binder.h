// Binds "File > Apply changes from…" to its dialog; the action is offered while a menu is open.
#pragma once

class QMenu;
class QWidget;

namespace menuforge {

class MenuDocument;

void AddApplyChangesAction(QMenu& file, MenuDocument& document, QWidget* window);

}  // namespace menuforge

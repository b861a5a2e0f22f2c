#include "app/apply_changes_binder.h"

#include <QAction>
#include <QMenu>

#include "app/apply_changes_dialog.h"

namespace menuforge {

void AddApplyChangesAction(QMenu& file, MenuDocument& document, QWidget* window) {
  QAction* action = file.addAction(QMenu::tr("Apply changes from…"));
  action->setObjectName(QStringLiteral("applyChangesAction"));
  QObject::connect(&file, &QMenu::aboutToShow, action,
                   [action, &document] { action->setEnabled(document.HasMenu()); });
  QObject::connect(action, &QAction::triggered, window, [&document, window] {
    if (!document.HasMenu()) return;
    ApplyChangesDialog dialog(document, window);
    dialog.exec();
  });
}

}  // namespace menuforge

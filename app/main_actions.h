// The commands of the menu bar and the tool bar, each with its caption, keys, icon and hint. The
// commands that need a menu or a phone start off, and while off their tooltips say why.
#pragma once

class QAction;
class QWidget;

namespace menuforge {

struct MainActions {
  explicit MainActions(QWidget& owner);

  QAction* newMenu;
  QAction* open;
  QAction* save;
  QAction* saveAs;
  QAction* openFromPhone;
  QAction* saveToPhone;
  QAction* restartPhone;
  QAction* restoreBackup;
  QAction* exit;
  QAction* help;
  QAction* setup;
  QAction* about;
};

}  // namespace menuforge

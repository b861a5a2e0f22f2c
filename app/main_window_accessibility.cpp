#include "app/main_window_accessibility.h"

#include <QCoreApplication>
#include <QWidget>

namespace menuforge {
namespace {

struct ControlName {
  const char* objectName;
  const char* name;
  const char* description;  // nullptr where the name says it all
};

// The radio buttons show only a number; the tree, lists and boxes show no label at all.
constexpr ControlName kControlNames[] = {
    {"profileSelector", QT_TRANSLATE_NOOP("MainWindow", "Firmware profile"),
     QT_TRANSLATE_NOOP("MainWindow", "The phone's firmware the menu is written for")},
    {"menuTree", QT_TRANSLATE_NOOP("MainWindow", "Menu"),
     QT_TRANSLATE_NOOP("MainWindow",
                       "The soft keys and the main menu; the context menu key lists the commands")},
    {"itemList", QT_TRANSLATE_NOOP("MainWindow", "Available mma items"),
     QT_TRANSLATE_NOOP("MainWindow", "Choosing an item offers where to add it")},
    {"itemSummary", QT_TRANSLATE_NOOP("MainWindow", "Item summary"), nullptr},
    {"iconAttribute06", QT_TRANSLATE_NOOP("MainWindow", "Custom icon attribute 06"), nullptr},
    {"iconAttribute0C", QT_TRANSLATE_NOOP("MainWindow", "Custom icon attribute 0C"), nullptr},
};

QString Translated(const char* text) { return QCoreApplication::translate("MainWindow", text); }

}  // namespace

void NameMainWindowControls(QWidget& window) {
  for (const ControlName& control : kControlNames) {
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(control.objectName));
    if (widget == nullptr) continue;
    widget->setAccessibleName(Translated(control.name));
    if (control.description != nullptr)
      widget->setAccessibleDescription(Translated(control.description));
  }
}

}  // namespace menuforge

// What a screen reader finds in a window: the controls it could not name, and the texts it reads
// for the entries of a list or tree.
#pragma once

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QScrollBar>

namespace menuforge::test {

// "objectName (class)" of each control of `window` a user can reach that has no accessible name.
// The parts of a combo box or spin box are named by what they are in.
inline QStringList UnnamedControls(QWidget& window) {
  QStringList unnamed;
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    QWidget* parent = widget->parentWidget();
    if ((widget->focusPolicy() & Qt::TabFocus) == 0 || qobject_cast<QScrollBar*>(widget) ||
        widget->inherits("QComboBoxListView") || qobject_cast<QComboBox*>(parent) ||
        qobject_cast<QAbstractSpinBox*>(parent))
      continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
      unnamed << widget->objectName() + QStringLiteral(" (") + widget->metaObject()->className() +
                     QLatin1Char(')');
  }
  return unnamed;
}

inline QStringList ReadOut(QAbstractItemView& view) {
  QStringList texts;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
  for (int i = 0; accessible != nullptr && i < accessible->childCount(); ++i)
    if (QAccessibleInterface* child = accessible->child(i);
        child != nullptr && child->role() != QAccessible::ColumnHeader)
      texts << child->text(QAccessible::Name);
  return texts;
}

}  // namespace menuforge::test

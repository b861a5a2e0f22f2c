// The controls of a window that a screen reader could not name: every widget a user can reach
// with the keyboard or the mouse must tell what it is.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QWidget>

namespace menuforge::test {

inline bool Interactive(const QWidget& widget) {
  // The parts of a combo box or spin box, and a list's scroll bars, are named by what they are in.
  const QWidget* parent = widget.parentWidget();
  if (parent != nullptr && (qobject_cast<const QComboBox*>(parent) != nullptr ||
                            qobject_cast<const QAbstractSpinBox*>(parent) != nullptr))
    return false;
  if (qobject_cast<const QScrollBar*>(&widget) != nullptr) return false;
  return qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
         qobject_cast<const QComboBox*>(&widget) != nullptr ||
         qobject_cast<const QLineEdit*>(&widget) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
         qobject_cast<const QAbstractItemView*>(&widget) != nullptr ||
         qobject_cast<const QAbstractSlider*>(&widget) != nullptr ||
         qobject_cast<const QTextEdit*>(&widget) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(&widget) != nullptr ||
         (widget.focusPolicy() & Qt::TabFocus) != 0;
}

// "objectName (class)" of each control in `window` without an accessible name.
inline QStringList UnnamedControls(QWidget& window) {
  QStringList unnamed;
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    if (!Interactive(*widget)) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
      unnamed << widget->objectName() + QStringLiteral(" (") +
                     QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(')');
  }
  return unnamed;
}

}  // namespace menuforge::test

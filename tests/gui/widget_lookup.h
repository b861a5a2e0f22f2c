// Finding a window's widgets by object name and clicking them as a user would.
#pragma once

#include <QAbstractButton>
#include <QStyle>
#include <QtTest>

namespace menuforge::test {

template <typename Widget>
Widget* Find(QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) qFatal("no widget named %s", name);
  return widget;
}

inline void Click(QWidget& window, const char* name) {
  QTest::mouseClick(Find<QAbstractButton>(window, name), Qt::LeftButton);
}

// Radio buttons and check boxes take clicks only on their indicator and text, so the click goes
// to the indicator, which a stretched button does not move.
inline void ClickIndicator(QWidget& window, const char* name) {
  auto* button = Find<QAbstractButton>(window, name);
  const int indicator = button->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(indicator / 2 + 1, button->height() / 2));
}

}  // namespace menuforge::test

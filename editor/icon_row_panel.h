// One row of "Item icons": its "Source" choice, its field, its pick button and its indicator.
#pragma once

#include <QString>
#include <QWidget>

#include "editor/core/editor_controls.h"

class QLineEdit;
class QPixmap;
class QPushButton;
class QRadioButton;

namespace menuforge {

class IconIndicator;

class IconRowPanel : public QWidget {
  Q_OBJECT

 public:
  // Child names are `name` followed by "FsButton", "DrmButton", "Field", "PickButton" and
  // "Indicator".
  IconRowPanel(const QString& caption, const QString& name, bool animated,
               QWidget* parent = nullptr);

  // `pickerAvailable`: whether a picker exists for the row's current source.
  void Show(const IconRowControls& controls, bool pickerAvailable);
  // The pick button's tooltip: why it cannot be used, or empty.
  void SetPickHint(const QString& hint);
  void StopIndicator();
  // The indicator shows `picture` for as long as the field holds `text`.
  void ShowPicture(const QString& text, const QPixmap& picture);

 Q_SIGNALS:
  void sourceChosen(IconSource source);
  void textEdited(const QString& text);
  void pickClicked();

 private:
  QRadioButton* fs_;
  QRadioButton* drm_;
  QLineEdit* field_;
  QPushButton* pick_;
  IconIndicator* indicator_;
  QString picturedText_;
};

}  // namespace menuforge

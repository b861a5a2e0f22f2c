// One of the editor's string lists ("Menu title", "Softkey title", "Show text") with its "Add",
// "Edit" and "Delete" buttons.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "editor/core/editor_controls.h"

class QPushButton;
class QTreeWidget;

namespace menuforge {

class StringListPanel : public QWidget {
  Q_OBJECT

 public:
  // Child names are `name` followed by "List", "AddButton", "EditButton" and "DeleteButton".
  // `spokenName` is what a screen reader calls the list.
  StringListPanel(const QString& name, const QString& spokenName, QWidget* parent = nullptr);

  void Show(const StringListControls& controls);
  int selectedRow() const;  // -1 without a selection

 Q_SIGNALS:
  void addClicked();
  void editClicked();
  void deleteClicked();

 private:
  QTreeWidget* list_;
  QPushButton* add_;
  QPushButton* edit_;
  QPushButton* delete_;
  std::vector<ListRow> shownRows_;
};

}  // namespace menuforge

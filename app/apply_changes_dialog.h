// "Apply changes from…": the user names a base menu and a changed one (or a change list), sees
// the changes and the conflicts they meet in the open menu, decides each conflict, and takes the
// changes into the menu as one step.
#pragma once

#include <QDialog>
#include <optional>

#include "app/core/incoming_changes.h"

class QGridLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace menuforge {

class ApplyChangesDialog : public QDialog {
  Q_OBJECT

 public:
  ApplyChangesDialog(MenuDocument& document, QWidget* parent = nullptr);

  // Fills the paths as if browsed to, then shows the changes (for scripts and tests).
  void ChooseFiles(const QString& base, const QString& changed);
  void ChooseTheirs(int conflict);
  void Apply();

 private:
  QLineEdit* PathRow(const QString& caption, const char* name, QGridLayout* grid, int row);
  void ShowChanges();
  ConflictChoices Choices() const;

  MenuDocument& document_;
  QLineEdit* basePath_;
  QLineEdit* changedPath_;
  QListWidget* changes_;
  QTableWidget* conflicts_;
  QPushButton* apply_;
  std::optional<IncomingChanges> incoming_;
  std::vector<std::string> conflictLines_;
};

}  // namespace menuforge

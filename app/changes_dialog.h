// The changes a decision would bring, shown before it is taken: a heading that says which two
// menus were compared, the comparison's lines, and either a Close button or a Yes/No question.
#pragma once

#include <QDialog>
#include <string>

#include "menu/menu_comparison.h"

namespace menuforge {

class ChangesDialog : public QDialog {
  Q_OBJECT

 public:
  // Without `question` the dialog only shows; with one, Yes accepts and No rejects.
  ChangesDialog(const char* title, const std::string& heading, const MenuComparison& comparison,
                const char* question = nullptr, QWidget* parent = nullptr);
};

}  // namespace menuforge

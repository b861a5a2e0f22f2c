// "Set file mask": the volumes and the file name extension of the list "By mask...".
#pragma once

#include <QDialog>
#include <string>

#include "browser/core/file_mask.h"

class QLineEdit;
class QListWidget;

namespace menuforge {

class FileMaskDialog : public QDialog {
  Q_OBJECT

 public:
  FileMaskDialog(QWidget* parent, const MaskDialogContent& content);

  // In list order.
  std::string checkedLetters() const;
  std::u16string extension() const;

 private:
  QListWidget* volumes_;
  QLineEdit* extension_;
};

}  // namespace menuforge

// "Set file attributes": the three attribute check boxes of the files selected in the browser.
#pragma once

#include <QDialog>

#include "browser/core/phone_browser.h"

class QCheckBox;

namespace menuforge {

class FileAttributesDialog : public QDialog {
  Q_OBJECT

 public:
  FileAttributesDialog(QWidget* parent, const AttributeChoice& shown);

  AttributeChoice choice() const;

 private:
  QCheckBox* readOnly_;
  QCheckBox* hidden_;
  QCheckBox* system_;
};

}  // namespace menuforge

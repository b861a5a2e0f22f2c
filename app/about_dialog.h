// The "About" box with the product name and version.
#pragma once

#include <QDialog>

namespace menuforge {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace menuforge

// The "About" box: product name, version, licence and the libraries linked.
#pragma once

#include <QDialog>

namespace menuforge {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace menuforge

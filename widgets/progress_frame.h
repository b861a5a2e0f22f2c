// What both progress windows share: a fixed-size, modeless dialog centred on its owner that the
// user cannot close; the owner closes it when the work is done.
#pragma once

#include <QDialog>

namespace menuforge {

class ProgressFrame : public QDialog {
  Q_OBJECT

 public:
  ProgressFrame(QWidget* owner, QSize clientSize);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace menuforge

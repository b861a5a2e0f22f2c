// What both progress windows share: a fixed-size, modeless dialog centred on its owner that the
// user cannot close; the owner closes it when the work is done. Where the work can stop without
// leaving anything half done, the window offers a Cancel button, and the work asks whether it
// was pressed.
#pragma once

#include <QDialog>

namespace menuforge {

class ProgressFrame : public QDialog {
  Q_OBJECT

 public:
  ProgressFrame(QWidget* owner, QSize clientSize);

  // Adds the Cancel button below the bars.
  void OfferCancel();
  bool cancelRequested() const { return cancelRequested_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool cancelRequested_ = false;
};

}  // namespace menuforge

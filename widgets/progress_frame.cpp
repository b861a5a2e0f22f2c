#include "widgets/progress_frame.h"

#include <QKeyEvent>

namespace menuforge {

ProgressFrame::ProgressFrame(QWidget* owner, QSize clientSize)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setFixedSize(clientSize);
  setModal(false);
}

void ProgressFrame::keyPressEvent(QKeyEvent* event) {
  // Escape would hide the window while the work goes on.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace menuforge

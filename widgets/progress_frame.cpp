#include "widgets/progress_frame.h"

#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>

namespace menuforge {

ProgressFrame::ProgressFrame(QWidget* owner, QSize clientSize)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setFixedSize(clientSize);
  setModal(false);
}

void ProgressFrame::OfferCancel() {
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelTransferButton"));
  layout()->addWidget(cancel);
  layout()->setAlignment(cancel, Qt::AlignHCenter);
  setFixedSize(width(), height() + cancel->sizeHint().height() + layout()->spacing());
  connect(cancel, &QPushButton::clicked, this, [this, cancel] {
    cancelRequested_ = true;
    cancel->setEnabled(false);  // the transfer stops at its next block
  });
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

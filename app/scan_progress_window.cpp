#include "app/scan_progress_window.h"

#include <QCoreApplication>
#include <QLayout>
#include <QPushButton>

#include "catalog/firmware_scan.h"
#include "widgets/shown_text.h"

namespace menuforge {

ScanProgressWindow::ScanProgressWindow(QWidget* owner) : ProgressWindow(owner) {
  auto* cancel = new QPushButton(tr("Cancel"));
  cancel->setObjectName(QStringLiteral("cancelScanButton"));
  connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
  layout()->addWidget(cancel);
  layout()->setAlignment(cancel, Qt::AlignRight);
  setFixedHeight(height() + layout()->spacing() + cancel->sizeHint().height());
  setWindowTitle(ShownText(kScanProgressCaption));
  setWindowModality(Qt::ApplicationModal);
  show();
}

bool ScanProgressWindow::Advance(int percent) {
  SetPosition(percent);
  QCoreApplication::processEvents();
  return !cancelled_;
}

}  // namespace menuforge

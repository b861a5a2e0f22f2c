#include "widgets/progress_window.h"

#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace menuforge {

ProgressWindow::ProgressWindow(QWidget* owner) : ProgressFrame(owner, QSize(341, 66)) {
  auto* layout = new QVBoxLayout(this);
  bar_ = new QProgressBar;
  bar_->setObjectName(QStringLiteral("progressBar"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  layout->addWidget(bar_);
}

void ProgressWindow::SetPosition(int percent) { bar_->setValue(std::clamp(percent, 0, 100)); }

}  // namespace menuforge

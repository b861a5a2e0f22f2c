#include "widgets/double_progress_window.h"

#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace menuforge {

namespace {

QProgressBar* AddBar(QVBoxLayout* layout, const char* name) {
  auto* bar = new QProgressBar;
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(0, 100);
  bar->setValue(0);
  layout->addWidget(bar);
  return bar;
}

}  // namespace

DoubleProgressWindow::DoubleProgressWindow(QWidget* owner) : ProgressFrame(owner, QSize(341, 98)) {
  auto* layout = new QVBoxLayout(this);
  fileBar_ = AddBar(layout, "fileBar");
  groupBar_ = AddBar(layout, "groupBar");
}

void DoubleProgressWindow::SetFilePercent(int percent) {
  fileBar_->setValue(std::clamp(percent, 0, 100));
}

void DoubleProgressWindow::SetGroupPercent(int percent) {
  groupBar_->setValue(std::clamp(percent, 0, 100));
}

}  // namespace menuforge

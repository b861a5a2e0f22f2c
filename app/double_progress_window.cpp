#include "app/double_progress_window.h"

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

void DoubleProgressWindow::SetTotalBytes(std::uint64_t total) {
  totalBytes_ = total;
  ShowGroupProgress();
}

void DoubleProgressWindow::AddDoneBytes(std::uint64_t bytes) {
  doneBytes_ += bytes;
  ShowGroupProgress();
}

void DoubleProgressWindow::ShowGroupProgress() {
  // An empty group shows nothing done; more bytes than announced shows a full bar.
  int percent = 0;
  if (totalBytes_ > 0) {
    percent = doneBytes_ >= totalBytes_ ? 100 : static_cast<int>(doneBytes_ * 100 / totalBytes_);
  }
  groupBar_->setValue(percent);
}

}  // namespace menuforge

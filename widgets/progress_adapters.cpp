#include "widgets/progress_adapters.h"

#include <QCoreApplication>

#include "widgets/progress_window.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

class ShownProgressWindow : public ProgressSink {
 public:
  ShownProgressWindow(QWidget* owner, const std::string& caption, CancelButton cancel)
      : window_(new ProgressWindow(owner)) {
    if (cancel == CancelButton::Offered) window_->OfferCancel();
    window_->setWindowTitle(ShownText(caption));
    window_->show();
  }
  ~ShownProgressWindow() override { Close(); }
  ShownProgressWindow(const ShownProgressWindow&) = delete;
  ShownProgressWindow& operator=(const ShownProgressWindow&) = delete;

  void SetCaption(const std::string& caption) override {
    if (window_) window_->setWindowTitle(ShownText(caption));
  }
  void SetPosition(int percent) override {
    if (window_) window_->SetPosition(percent);
    QCoreApplication::processEvents();
  }
  void Close() override { delete window_.data(); }
  bool CancelRequested() const override { return window_ && window_->cancelRequested(); }

 private:
  // The owner may take the window with it.
  QPointer<ProgressWindow> window_;
};

}  // namespace

std::unique_ptr<ProgressSink> ProgressWindowFactory::Show(const std::string& caption) {
  return std::make_unique<ShownProgressWindow>(owner_, caption, cancel_);
}

GroupProgressWindow::GroupProgressWindow(QWidget* owner, CancelButton cancel)
    : window_(new DoubleProgressWindow(owner)) {
  if (cancel == CancelButton::Offered) window_->OfferCancel();
  window_->show();
}

GroupProgressWindow::~GroupProgressWindow() { delete window_.data(); }

void GroupProgressWindow::SetCaption(const std::string& caption) {
  if (window_) window_->setWindowTitle(ShownText(caption));
}

void GroupProgressWindow::SetFilePosition(int percent) {
  if (window_) window_->SetFilePercent(percent);
}

void GroupProgressWindow::SetGroupPosition(int percent) {
  if (window_) window_->SetGroupPercent(percent);
  // The group bar is set once per block, after the file bar.
  QCoreApplication::processEvents();
}

}  // namespace menuforge

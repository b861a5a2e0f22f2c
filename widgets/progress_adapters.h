// The progress windows as the phone transfers see them.
#pragma once

#include <QPointer>
#include <memory>
#include <string>

#include "phone/transfer_progress.h"
#include "widgets/double_progress_window.h"

class QWidget;

namespace menuforge {

enum class CancelButton { None, Offered };

// One-bar windows owned by `owner`. Setting a position lets the program handle what is pending,
// so that the windows stay responsive while a transfer runs.
class ProgressWindowFactory : public ProgressWindows {
 public:
  explicit ProgressWindowFactory(QWidget* owner, CancelButton cancel = CancelButton::None)
      : owner_(owner), cancel_(cancel) {}

  std::unique_ptr<ProgressSink> Show(const std::string& caption) override;

 private:
  QWidget* owner_;
  CancelButton cancel_;
};

// A two-bar window, shown for as long as this lives.
class GroupProgressWindow : public GroupProgressSink {
 public:
  explicit GroupProgressWindow(QWidget* owner, CancelButton cancel = CancelButton::None);
  ~GroupProgressWindow() override;
  GroupProgressWindow(const GroupProgressWindow&) = delete;
  GroupProgressWindow& operator=(const GroupProgressWindow&) = delete;

  void SetCaption(const std::string& caption) override;
  void SetFilePosition(int percent) override;
  void SetGroupPosition(int percent) override;
  bool CancelRequested() const override { return window_ && window_->cancelRequested(); }

 private:
  QPointer<DoubleProgressWindow> window_;
};

}  // namespace menuforge

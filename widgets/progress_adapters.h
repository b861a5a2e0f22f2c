// The progress windows as the phone transfers see them.
#pragma once

#include <QPointer>
#include <memory>
#include <string>

#include "phone/transfer_progress.h"
#include "widgets/double_progress_window.h"

class QWidget;

namespace menuforge {

// One-bar windows owned by `owner`. Setting a position lets the program handle what is pending,
// so that the windows stay responsive while a transfer runs.
class ProgressWindowFactory : public ProgressWindows {
 public:
  explicit ProgressWindowFactory(QWidget* owner) : owner_(owner) {}

  std::unique_ptr<ProgressSink> Show(const std::string& caption) override;

 private:
  QWidget* owner_;
};

// A two-bar window, shown for as long as this lives.
class GroupProgressWindow : public GroupProgressSink {
 public:
  explicit GroupProgressWindow(QWidget* owner);
  ~GroupProgressWindow() override;
  GroupProgressWindow(const GroupProgressWindow&) = delete;
  GroupProgressWindow& operator=(const GroupProgressWindow&) = delete;

  void SetCaption(const std::string& caption) override;
  void SetFilePosition(int percent) override;
  void SetGroupPosition(int percent) override;

 private:
  QPointer<DoubleProgressWindow> window_;
};

}  // namespace menuforge

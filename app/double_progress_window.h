// Two progress bars for a group of files: the current file, and the share of the group's bytes
// done so far.
#pragma once

#include <cstdint>

#include "app/progress_frame.h"

class QProgressBar;

namespace menuforge {

class DoubleProgressWindow : public ProgressFrame {
  Q_OBJECT

 public:
  explicit DoubleProgressWindow(QWidget* owner = nullptr);

  void SetFilePercent(int percent);
  void SetTotalBytes(std::uint64_t total);
  void AddDoneBytes(std::uint64_t bytes);

  std::uint64_t TotalBytes() const { return totalBytes_; }
  std::uint64_t DoneBytes() const { return doneBytes_; }

 private:
  void ShowGroupProgress();

  QProgressBar* fileBar_;
  QProgressBar* groupBar_;
  std::uint64_t totalBytes_ = 0;
  std::uint64_t doneBytes_ = 0;
};

}  // namespace menuforge

// Two progress bars for a group of files: the current file, and the share of the whole group.
#pragma once

#include "widgets/progress_frame.h"

class QProgressBar;

namespace menuforge {

class DoubleProgressWindow : public ProgressFrame {
  Q_OBJECT

 public:
  explicit DoubleProgressWindow(QWidget* owner = nullptr);

  void SetFilePercent(int percent);
  void SetGroupPercent(int percent);

 private:
  QProgressBar* fileBar_;
  QProgressBar* groupBar_;
};

}  // namespace menuforge

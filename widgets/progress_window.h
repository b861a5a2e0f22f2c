// One progress bar, 0 to 100, for a single long operation. The owner sets the caption, shows it
// with show() and closes it at the end.
#pragma once

#include "widgets/progress_frame.h"

class QProgressBar;

namespace menuforge {

class ProgressWindow : public ProgressFrame {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* owner = nullptr);

  void SetPosition(int percent);

 private:
  QProgressBar* bar_;
};

}  // namespace menuforge

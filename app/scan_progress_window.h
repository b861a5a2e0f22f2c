// The progress window of a firmware scan: the one-bar window with a Cancel button. It is
// modal, so that nothing else changes the catalogue while the scan lets pending input through.
#pragma once

#include "widgets/progress_window.h"

namespace menuforge {

class ScanProgressWindow : public ProgressWindow {
  Q_OBJECT

 public:
  // Shown at once, with the scan's caption.
  explicit ScanProgressWindow(QWidget* owner);

  // Shows the share scanned and handles pending input; false once Cancel was pressed.
  [[nodiscard]] bool Advance(int percent);

 private:
  bool cancelled_ = false;
};

}  // namespace menuforge

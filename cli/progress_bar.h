// A one-line progress bar on a terminal, redrawn in place.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace menuforge::cli {

class TerminalProgressBar {
 public:
  // `out` takes the carriage returns as they are; the caption is made safe for the terminal.
  TerminalProgressBar(std::ostream& out, std::string_view caption);
  // Wipes the bar once it has been drawn.
  ~TerminalProgressBar();
  TerminalProgressBar(const TerminalProgressBar&) = delete;
  TerminalProgressBar& operator=(const TerminalProgressBar&) = delete;

  void Show(int percent);

 private:
  std::ostream& out_;
  std::string caption_;
  int shown_ = -1;
};

// Whether standard error is a terminal, where a bar makes sense.
bool ErrorStreamIsTerminal();

}  // namespace menuforge::cli

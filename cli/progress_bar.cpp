#include "cli/progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

#include "base/terminal_text.h"

namespace menuforge::cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

TerminalProgressBar::TerminalProgressBar(std::ostream& out, std::string_view caption)
    : out_(out), caption_(TerminalSafe(caption)) {}

TerminalProgressBar::~TerminalProgressBar() {
  if (shown_ < 0) return;
  out_ << '\r' << std::string(caption_.size() + kBarWidth + 8, ' ') << '\r' << std::flush;
}

void TerminalProgressBar::Show(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == shown_) return;
  shown_ = percent;
  const int filled = percent * kBarWidth / 100;
  out_ << '\r' << caption_ << " [" << std::string(filled, '#')
       << std::string(kBarWidth - filled, ' ') << "] " << percent << '%' << std::flush;
}

bool ErrorStreamIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace menuforge::cli

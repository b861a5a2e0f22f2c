// What the tool writes on its standard output and error goes through TerminalSafe line by line,
// so that no text from a file, a phone or the command line acts on the terminal, whichever
// command printed it; and what went to standard output is checked to have been written.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>

namespace menuforge::cli {

// While it lives, every line written to std::cout and std::cerr is escaped; a CR LF line end
// (the core's messages have them) is written as LF.
class TerminalSafeOutput {
 public:
  TerminalSafeOutput();
  ~TerminalSafeOutput();
  TerminalSafeOutput(const TerminalSafeOutput&) = delete;
  TerminalSafeOutput& operator=(const TerminalSafeOutput&) = delete;

 private:
  std::unique_ptr<std::streambuf> out_;
  std::unique_ptr<std::streambuf> error_;
  std::streambuf* plainOut_;
  std::streambuf* plainError_;
};

// Standard error as it is, for the carriage returns that redraw a progress bar; whatever is
// written there must be made safe by the writer.
std::ostream& RawErrorStream();

// Flushes standard output. When anything written there was lost, says so on stderr once
// ("menuforge-cli: write error: No space left on device") and returns `failureCode`; else, or
// once that has been said, `code`.
int CheckedOutput(int code, int failureCode);

}  // namespace menuforge::cli

#include "cli/terminal_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "base/terminal_text.h"

namespace menuforge::cli {
namespace {

constexpr char kWriteError[] = "menuforge-cli: write error: ";

std::streambuf* plainError = nullptr;
// The first error of a write to standard output, which a later flush may no longer tell.
int outputError = 0;
bool outputFailureReported = false;

// How many bytes at the end of `text` begin a UTF-8 character that has not come whole yet, or a
// CR whose LF may follow: they wait for the next write.
std::size_t UnfinishedTail(std::string_view text) {
  if (text.ends_with('\r')) return 1;
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

class EscapingBuffer : public std::streambuf {
 public:
  EscapingBuffer(std::streambuf* target, bool isStandardOutput)
      : target_(target), isStandardOutput_(isStandardOutput) {}
  ~EscapingBuffer() override {
    WritePending(true);
    target_->pubsync();
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof()))
      return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
    pending_ += traits_type::to_char_type(c);
    if (c == '\n' && !WritePending(false)) return traits_type::eof();
    return c;
  }

  std::streamsize xsputn(const char* text, std::streamsize count) override {
    // An empty write may come with no text at all.
    if (count <= 0) return 0;
    pending_.append(text, static_cast<std::size_t>(count));
    if (std::memchr(text, '\n', static_cast<std::size_t>(count)) && !WritePending(false)) return 0;
    return count;
  }

  int sync() override {
    if (!WritePending(false, UnfinishedTail(pending_))) return -1;
    return target_->pubsync() == 0 ? 0 : Failed();
  }

 private:
  // Writes the complete lines, and with `keep` below npos all but the last `keep` bytes, or with
  // `all` everything.
  bool WritePending(bool all, std::size_t keep = std::string::npos) {
    std::string shown;
    std::size_t done = 0;
    for (std::size_t end; (end = pending_.find('\n', done)) != std::string::npos; done = end + 1) {
      std::string_view line(pending_.data() + done, end - done);
      if (line.ends_with('\r')) line.remove_suffix(1);
      AppendTerminalSafe(line, {}, shown);
      shown += '\n';
    }
    if (all) keep = 0;
    if (keep != std::string::npos && pending_.size() - done > keep) {
      const std::size_t end = pending_.size() - keep;
      AppendTerminalSafe(std::string_view(pending_).substr(done, end - done), {}, shown);
      done = end;
    }
    pending_.erase(0, done);
    if (shown.empty()) return true;
    const auto size = static_cast<std::streamsize>(shown.size());
    return target_->sputn(shown.data(), size) == size || Failed() == 0;
  }

  int Failed() {
    if (isStandardOutput_ && outputError == 0) outputError = errno != 0 ? errno : EIO;
    return -1;
  }

  std::streambuf* target_;
  bool isStandardOutput_;
  std::string pending_;
};

}  // namespace

TerminalSafeOutput::TerminalSafeOutput()
    : out_(std::make_unique<EscapingBuffer>(std::cout.rdbuf(), true)),
      error_(std::make_unique<EscapingBuffer>(std::cerr.rdbuf(), false)),
      plainOut_(std::cout.rdbuf(out_.get())),
      plainError_(std::cerr.rdbuf(error_.get())) {
  plainError = plainError_;
}

TerminalSafeOutput::~TerminalSafeOutput() {
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(plainOut_);
  std::cerr.rdbuf(plainError_);
  plainError = nullptr;
}

std::ostream& RawErrorStream() {
  static std::ostream raw(nullptr);
  raw.rdbuf(plainError ? plainError : std::cerr.rdbuf());
  std::cerr.flush();
  return raw;
}

int CheckedOutput(int code, int failureCode) {
  // Told once, with the code of the command that met it.
  if (outputFailureReported) return code;
  errno = 0;
  std::cout.flush();
  if (!std::cout.good() && outputError == 0) outputError = errno != 0 ? errno : EIO;
  errno = 0;
  if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && outputError == 0)
    outputError = errno != 0 ? errno : EIO;
  if (outputError == 0) return code;
  std::cerr << kWriteError << std::strerror(outputError) << '\n';
  outputFailureReported = true;
  return failureCode;
}

}  // namespace menuforge::cli

// The progress windows phone transfers drive, as the core sees them. The windows implement the
// sinks; a window may process its pending events when a position is set, which happens after
// every block, so that the program stays responsive during a transfer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace menuforge {

// A one-bar window, 0 to 100.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetPosition(int percent) = 0;
  virtual void Close() = 0;
  // The user asked to stop; a window without a Cancel button never does.
  virtual bool CancelRequested() const { return false; }
};

// Makes one-bar windows owned by the main window, shown with the caption given.
class ProgressWindows {
 public:
  virtual ~ProgressWindows() = default;
  virtual std::unique_ptr<ProgressSink> Show(const std::string& caption) = 0;
};

// A two-bar window: the current file, and the share of the whole group.
class GroupProgressSink {
 public:
  virtual ~GroupProgressSink() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetFilePosition(int percent) = 0;
  virtual void SetGroupPosition(int percent) = 0;
  virtual bool CancelRequested() const { return false; }
};

// part / whole × 100, rounded to the nearest integer with halves to even; 100 once part
// reaches whole (a whole of 0 included).
int Percent(std::uint64_t part, std::uint64_t whole);

// A one-bar window and the caption it shows, so that the caption is only set when it changes.
class ShownProgress {
 public:
  ShownProgress(std::unique_ptr<ProgressSink> window, std::string caption)
      : window_(std::move(window)), caption_(std::move(caption)) {}
  ShownProgress(const ShownProgress&) = delete;
  ShownProgress& operator=(const ShownProgress&) = delete;
  ~ShownProgress() { Close(); }

  void SetCaption(const std::string& caption);
  void SetPosition(int percent);
  void Close();
  bool CancelRequested() const { return window_ && window_->CancelRequested(); }

 private:
  std::unique_ptr<ProgressSink> window_;
  std::string caption_;
};

// The two-bar window a caller owns for a group of files, with the group's byte counters: the
// caller sets total, the group transfers advance done.
struct GroupProgress {
  explicit GroupProgress(GroupProgressSink& sink) : window(sink) {}

  void SetCaption(const std::string& caption);
  int GroupPercent() const { return Percent(done, total); }

  GroupProgressSink& window;
  std::uint32_t total = 0;
  std::uint32_t done = 0;
  std::string caption;
};

}  // namespace menuforge

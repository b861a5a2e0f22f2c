// Copying one file between the local disk and the phone with the file-system commands, in
// blocks of 1024 bytes, each command logged with its result.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "base/user_messages.h"
#include "phone/phone_session.h"
#include "phone/transfer_progress.h"

namespace menuforge {

struct TransferResult {
  // Bytes received or sent, or -1.
  std::int32_t bytes = kP2kFailure;
  // A read ended at the phone's end-of-file marker and nothing was refused on the way, so the
  // local file holds the whole phone file; a write had every block taken by a file the phone
  // opened, and the phone's close went through.
  bool complete = false;
  // Set when a local file could not be created, opened, read or written.
  std::string localError;
  // The user stopped it from its progress window: a download kept nothing, and an upload was
  // left unclosed, so the phone never put it in place of its old file.
  bool cancelled = false;
  // A read went on past the most bytes its kind of file holds; nothing of it was kept.
  bool overLimit = false;

  Message LocalErrorMessage() const { return {localError, kErrorCaption, MessageIcon::Error}; }
};

// How many bytes a read may take before the phone is taken to send more than any file of that
// kind holds; a read of unknown size is bounded by this, never by time or a count of calls.
// Results count bytes in 32 bits, which bounds any file.
inline constexpr std::uint64_t kAnyPhoneFileBytes = 0x7FFFFFFF;
// The menu file and the Java tables: the largest menu the format holds is under 64 KB, and a
// sixteenfold margin still ends a phone that sends without end within seconds.
inline constexpr std::uint64_t kMenuFileBytes = 1024 * 1024;

// The name a progress caption shows for a phone file: the last part of its path.
std::string PhoneFileName(const std::string& phonePath);

class FsacTransfer;
class ReadRun;

// A P2KFileRead done one block at a time, for a window that handles its events in between: the
// same commands and log lines. The phone command lasts from the construction to Finish; nothing
// else may use the phone meanwhile.
class SteppedFileRead {
 public:
  // Checks the local folder, logs the start, opens and seeks the phone's file. `title` captions
  // the progress window with the percentage; a read whose windows show nothing needs none.
  SteppedFileRead(FsacTransfer& transfer, const std::string& phonePath,
                  const std::filesystem::path& local, std::uint32_t expectedSize,
                  std::uint64_t mostBytes, std::string title = {});
  ~SteppedFileRead();
  SteppedFileRead(const SteppedFileRead&) = delete;
  SteppedFileRead& operator=(const SteppedFileRead&) = delete;

  // Reads one block; false once the blocks are over.
  bool Step();
  // Reads the rest, checks the end, closes the phone's file and keeps the local one when whole.
  TransferResult Finish();

 private:
  std::unique_ptr<ReadRun> run_;
};

class FsacTransfer {
 public:
  FsacTransfer(PhoneSession& session, ProgressWindows& windows)
      : session_(session), windows_(windows) {}

  // `title` captions the progress window with the percentage; `expectedSize` only scales the
  // bar. A file that goes on past `mostBytes` is not complete.
  [[nodiscard]] TransferResult P2KFileRead(const std::string& phonePath,
                                           const std::filesystem::path& local,
                                           std::uint32_t expectedSize, std::string title,
                                           std::uint64_t mostBytes = kAnyPhoneFileBytes);
  [[nodiscard]] TransferResult P2KGroupRead(const std::string& phonePath,
                                            const std::filesystem::path& local,
                                            std::uint32_t expectedSize, GroupProgress& window);
  // Bytes is -1 unless the upload is complete: the phone keeps its old file otherwise.
  [[nodiscard]] TransferResult P2KFileWrite(const std::filesystem::path& local,
                                            const std::string& phonePath);
  [[nodiscard]] TransferResult P2KGroupWrite(const std::filesystem::path& local,
                                             const std::string& phonePath, GroupProgress& window);

 private:
  friend class SteppedFileRead;
  friend class ReadRun;
  struct ReadStyle;
  struct WriteStyle;
  static const ReadStyle& FileReadStyle();

  [[nodiscard]] TransferResult Read(const std::string& phonePath,
                                    const std::filesystem::path& local, std::uint32_t expectedSize,
                                    std::uint64_t mostBytes, std::string title,
                                    const ReadStyle& style, GroupProgress* group);
  [[nodiscard]] TransferResult Write(const std::filesystem::path& local,
                                     const std::string& phonePath, const WriteStyle& style,
                                     GroupProgress* group);
  // Sends one file-system command with a 4096-byte response buffer.
  [[nodiscard]] std::int32_t Send(const Bytes& request, std::uint32_t capacity, Bytes& response,
                                  std::uint32_t& received);

  PhoneSession& session_;
  ProgressWindows& windows_;
};

}  // namespace menuforge

#include "phone/fsac_transfer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

#include "base/local_file.h"
#include "phone/fsac_request.h"

namespace menuforge {

struct FsacTransfer::ReadStyle {
  std::string prefix;
  std::string receivedLabel;
  bool stopOnRefusedOpen;
};

struct FsacTransfer::WriteStyle {
  std::string prefix;
  bool zeroByteAfterPath;
};

namespace {

constexpr char kOpenLine[] = "Send command FSAC (0x0000) RC=";
constexpr char kSeekLine[] = "Send command FSAC (0x0003) RC=";
constexpr char kCheckSeekLine[] = "Send command FSAC (0x0003) - check EOF RC=";
constexpr char kReadLine[] = "Send command FSAC (0x0001) RC=";
constexpr char kWriteLine[] = "Send command FSAC (0x0002) RC=";
constexpr char kCloseLine[] = "Send command FSAC (0x0004) RC=";
constexpr char kEnterLine[] = "Enter ";
constexpr char kDownloading[] = "Downloading ";
constexpr char kUploading[] = "Uploading ";
constexpr std::uint64_t kLargestCount = std::numeric_limits<std::int32_t>::max();

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using LocalFile = std::unique_ptr<std::FILE, FileCloser>;

std::string Number(std::int64_t value) { return std::to_string(value); }

// Where one file's transfer shows how far it is: a one-bar window of its own, captioned with the
// title and the percentage, or the two bars of the window its group owns.
class TransferProgress {
 public:
  TransferProgress(ProgressWindows& windows, GroupProgress* group, std::string title,
                   std::string verb, std::string name)
      : windows_(windows),
        group_(group),
        title_(std::move(title)),
        verb_(std::move(verb)),
        name_(std::move(name)) {}

  // Shows 0%; `resetFileBar` puts a group's file bar back to 0 too.
  void Start(bool resetFileBar) {
    if (group_) {
      group_->SetCaption(GroupCaption(0, group_->GroupPercent()));
      if (resetFileBar) group_->window.SetFilePosition(0);
    } else {
      const std::string caption = SingleCaption(0);
      window_.emplace(windows_.Show(caption), caption);
    }
  }

  // `bytes` more of the file have moved, which makes it `percent` done.
  void Advance(int percent, std::uint32_t bytes) {
    if (group_) {
      group_->window.SetFilePosition(percent);
      // A counter that wrapped round would take the total bar back below what has moved.
      group_->done += std::min(bytes, std::numeric_limits<std::uint32_t>::max() - group_->done);
      const int total = group_->GroupPercent();
      group_->window.SetGroupPosition(total);
      group_->SetCaption(GroupCaption(percent, total));
    } else {
      window_->SetCaption(SingleCaption(percent));
      window_->SetPosition(percent);
    }
  }

  void Close() {
    if (window_) window_->Close();
  }

 private:
  std::string SingleCaption(int percent) const { return title_ + " " + Number(percent) + "%"; }
  std::string GroupCaption(int percent, int total) const {
    return verb_ + name_ + " " + Number(percent) + "% (Total " + Number(total) + "%)";
  }

  ProgressWindows& windows_;
  GroupProgress* group_;
  std::string title_;
  std::string verb_;
  std::string name_;
  std::optional<ShownProgress> window_;
};

// Closes the local file; false when what was written could not be kept.
bool CloseLocal(LocalFile& file) { return std::fclose(file.release()) == 0; }

}  // namespace

std::int32_t FsacTransfer::Send(const Bytes& request, std::uint32_t capacity, Bytes& response,
                                std::uint32_t& received) {
  response.assign(kFsacBufferSize, 0);
  received = capacity;
  return session_.library().P2K_SendCMD(kCommandFsac, request, response, received);
}

TransferResult FsacTransfer::P2KFileRead(const std::string& phonePath,
                                         const std::filesystem::path& local,
                                         std::uint32_t expectedSize) {
  static const ReadStyle style{"[P2KFileRead] ", " bytes received=", true};
  return Read(phonePath, local, expectedSize, style, nullptr);
}

TransferResult FsacTransfer::P2KGroupRead(const std::string& phonePath,
                                          const std::filesystem::path& local,
                                          std::uint32_t expectedSize, GroupProgress& window) {
  static const ReadStyle style{"[P2KGroupRead] ", " bytes received", false};
  return Read(phonePath, local, expectedSize, style, &window);
}

TransferResult FsacTransfer::P2KFileWrite(const std::filesystem::path& local,
                                          const std::string& phonePath) {
  static const WriteStyle style{"[P2KFileWrite] ", true};
  return Write(local, phonePath, style, nullptr);
}

TransferResult FsacTransfer::P2KGroupWrite(const std::filesystem::path& local,
                                           const std::string& phonePath, GroupProgress& window) {
  static const WriteStyle style{"[P2KGroupWrite] ", false};
  return Write(local, phonePath, style, &window);
}

TransferResult FsacTransfer::Read(const std::string& phonePath, const std::filesystem::path& local,
                                  std::uint32_t expectedSize, const ReadStyle& style,
                                  GroupProgress* group) {
  const PhoneSession::Busy busy(session_);
  TransferResult result;
  PhoneLog& log = session_.log();
  errno = 0;
  LocalFile file(std::fopen(local.c_str(), "wb"));
  if (!file) {
    result.localError = FileError("create", local, errno);
    return result;
  }
  log.Write(style.prefix + kEnterLine + phonePath);

  Bytes response;
  std::uint32_t received = 0;
  std::int32_t rc = Send(FsacOpenRequest(phonePath, false), 0, response, received);
  log.Write(style.prefix + kOpenLine + Number(rc));
  if (rc == kP2kFailure && style.stopOnRefusedOpen) return result;
  rc = Send(FsacSeekRequest(0, kSeekFromStart), 0, response, received);
  log.Write(style.prefix + kSeekLine + Number(rc));
  if (rc == kP2kFailure) return result;

  TransferProgress progress(windows_, group, session_.progressTitle, kDownloading,
                            local.filename().string());
  progress.Start(true);

  auto readBlock = [&] {
    const std::int32_t readRc =
        Send(FsacReadRequest(kFsacBlockSize), kFsacBlockSize, response, received);
    log.Write(style.prefix + kReadLine + Number(readRc) + style.receivedLabel + Number(received));
    return readRc;
  };

  std::uint64_t count = 0;
  bool fullBlockSeen = false;
  bool endOfFile = false;
  while (true) {
    // An empty answer moves nothing; taking it as the end keeps a silent phone from holding
    // the program in this loop.
    if (readBlock() == kP2kFailure || received == 0) break;
    if (received == kFsacBlockSize) fullBlockSeen = true;
    if (received == 1 && response[0] == kEndOfFileMarker) {
      endOfFile = true;
      break;
    }
    if (std::fwrite(response.data(), 1, received, file.get()) != received) {
      result.localError = FileError("write", local, errno);
      break;
    }
    count += received;
    if (count > kLargestCount) break;
    progress.Advance(Percent(count, expectedSize), received);
  }

  bool checkRefused = false;
  if (endOfFile && fullBlockSeen && result.localError.empty()) {
    rc = Send(FsacSeekRequest(kEndOfFileCheckOffset, kSeekFromEnd), 0, response, received);
    log.Write(style.prefix + kCheckSeekLine + Number(rc));
    checkRefused = readBlock() == kP2kFailure;
    if (received == kFsacBlockSize &&
        std::fwrite(&response[kFsacBlockSize - 1], 1, 1, file.get()) != 1)
      result.localError = FileError("write", local, errno);
  }

  if (!CloseLocal(file) && result.localError.empty())
    result.localError = FileError("write", local, errno);
  rc = Send(FsacCloseRequest(), 0, response, received);
  log.Write(style.prefix + kCloseLine + Number(rc));
  progress.Close();

  result.bytes =
      count == 0 || count > kLargestCount ? kP2kFailure : static_cast<std::int32_t>(count);
  result.complete =
      endOfFile && !checkRefused && result.localError.empty() && result.bytes != kP2kFailure;
  return result;
}

TransferResult FsacTransfer::Write(const std::filesystem::path& local, const std::string& phonePath,
                                   const WriteStyle& style, GroupProgress* group) {
  const PhoneSession::Busy busy(session_);
  TransferResult result;
  PhoneLog& log = session_.log();
  errno = 0;
  LocalFile file(std::fopen(local.c_str(), "rb"));
  std::error_code sizeError;
  const std::uintmax_t fileSize = std::filesystem::file_size(local, sizeError);
  if (!file || sizeError) {
    result.localError = FileError("open", local, file ? sizeError.value() : errno);
    return result;
  }
  if (fileSize > kLargestCount) {
    result.localError = FileError("read", local, EFBIG);
    return result;
  }
  const auto size = static_cast<std::uint32_t>(fileSize);
  const std::string name = local.filename().string();
  const std::string title = kUploading + name;
  if (!group) session_.progressTitle = title + " 0%";
  log.Write(style.prefix + kEnterLine + phonePath);

  Bytes response;
  std::uint32_t received = 0;
  std::int32_t rc =
      Send(FsacOpenRequest(phonePath, style.zeroByteAfterPath), 0, response, received);
  log.Write(style.prefix + kOpenLine + Number(rc));
  // After a refused open the writes would go to whatever file the phone still has open, if any.
  if (rc == kP2kFailure) return result;
  rc = Send(FsacSeekRequest(0, kSeekFromStart), 0, response, received);
  log.Write(style.prefix + kSeekLine + Number(rc));
  if (rc == kP2kFailure) return result;

  TransferProgress progress(windows_, group, title, kUploading, name);
  progress.Start(false);

  std::uint32_t sent = 0;
  Bytes block(kFsacBlockSize);
  // False when the local file failed; the error is then set.
  auto sendBlock = [&](std::size_t length, std::int32_t& writeRc) {
    if (std::fread(block.data(), 1, length, file.get()) != length) {
      result.localError = FileError("read", local, errno);
      return false;
    }
    const Bytes request = FsacWriteRequest(ByteView(block.data(), length));
    writeRc = Send(request, 0, response, received);
    log.Write(style.prefix + kWriteLine + Number(writeRc) +
              " bytes sent=" + Number(request.size()));
    return true;
  };

  const std::uint32_t fullBlocks = size / kFsacBlockSize;
  for (std::uint32_t i = 0; i < fullBlocks; ++i) {
    std::int32_t writeRc = kP2kFailure;
    if (!sendBlock(kFsacBlockSize, writeRc) || writeRc == kP2kFailure) break;
    sent += kFsacBlockSize;
    progress.Advance(Percent(sent, size), kFsacBlockSize);
  }

  const std::uint32_t remainder = size % kFsacBlockSize;
  if (remainder != 0 && result.localError.empty()) {
    std::int32_t writeRc = kP2kFailure;
    // After a refused block the remainder is still the end of the file.
    const bool positioned =
        std::fseek(file.get(), static_cast<long>(size - remainder), SEEK_SET) == 0;
    if (!positioned) result.localError = FileError("read", local, errno);
    const bool taken = positioned && sendBlock(remainder, writeRc) && writeRc != kP2kFailure;
    if (taken) sent += remainder;
    progress.Advance(100, taken ? remainder : 0);
  }

  file.reset();
  rc = Send(FsacCloseRequest(), 0, response, received);
  log.Write(style.prefix + kCloseLine + Number(rc));
  progress.Close();

  // The phone keeps what was written only once the close went through.
  result.complete = sent == size && result.localError.empty() && rc != kP2kFailure;
  result.bytes = result.complete ? static_cast<std::int32_t>(sent) : kP2kFailure;
  return result;
}

}  // namespace menuforge

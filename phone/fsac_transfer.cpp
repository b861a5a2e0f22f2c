#include "phone/fsac_transfer.h"

#include <sys/stat.h>
#include <unistd.h>

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

  bool CancelRequested() const {
    return group_ ? group_->window.CancelRequested() : window_ && window_->CancelRequested();
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

// A download goes into a file of a fresh name beside its target, made only once the phone has
// opened its file, and takes the target's name only once it is whole: a failed one leaves the
// target as it was, and a link planted where the download is written is never followed.
class DownloadFile {
 public:
  explicit DownloadFile(std::filesystem::path target) : target_(std::move(target)) {}
  ~DownloadFile() {
    file_.reset();
    if (temporary_.empty()) return;
    ::unlink(temporary_.c_str());
    TemporaryFileGone(temporary_);
  }
  DownloadFile(const DownloadFile&) = delete;
  DownloadFile& operator=(const DownloadFile&) = delete;

  // The error text when the target's folder takes no new file, or the target is a FIFO, a device
  // or a folder that a file would replace, so that the phone is not asked.
  std::string FolderProblem() const {
    if (std::string refused = NotReplaceableText(target_); !refused.empty()) return refused;
    const std::filesystem::path folder =
        target_.has_parent_path() ? target_.parent_path() : std::filesystem::path(".");
    if (::access(folder.c_str(), W_OK | X_OK) == 0) return {};
    return FileError("create", target_, errno);
  }

  std::string Create() {
    int fd = -1;
    if (const int error = CreateFileBeside(target_, fd, temporary_); error != 0)
      return FileError("create", target_, error);
    // The fresh file is private to its maker; a download keeps the mode of the file it replaces,
    // or is a new document under the user's umask, and stays private when it cannot be either.
    struct stat replaced {};
    const bool replaces = ::lstat(target_.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    [[maybe_unused]] const int modeSet =
        ::fchmod(fd, replaces ? replaced.st_mode & 07777 : NewFileMode());
    file_.reset(::fdopen(fd, "wb"));
    if (file_) return {};
    const int error = errno;
    ::close(fd);
    return FileError("create", target_, error);
  }

  std::FILE* get() const { return file_.get(); }
  bool created() const { return static_cast<bool>(file_); }

  // Closes the file; false when what was written could not be kept.
  bool Close() { return !file_ || CloseLocal(file_); }

  // Renames the whole file over the target; the error text, or empty.
  std::string Keep() {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
      return FileError("create", target_, errno);
    TemporaryFileGone(temporary_);
    temporary_.clear();
    return {};
  }

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  LocalFile file_;
};

}  // namespace

std::string PhoneFileName(const std::string& phonePath) {
  const std::size_t slash = phonePath.find_last_of('/');
  return slash == std::string::npos ? phonePath : phonePath.substr(slash + 1);
}

std::int32_t FsacTransfer::Send(const Bytes& request, std::uint32_t capacity, Bytes& response,
                                std::uint32_t& received) {
  response.assign(kFsacBufferSize, 0);
  received = capacity;
  return session_.library().P2K_SendCMD(kCommandFsac, request, response, received);
}

const FsacTransfer::ReadStyle& FsacTransfer::FileReadStyle() {
  static const ReadStyle style{"[P2KFileRead] ", " bytes received=", true};
  return style;
}

TransferResult FsacTransfer::P2KFileRead(const std::string& phonePath,
                                         const std::filesystem::path& local,
                                         std::uint32_t expectedSize, std::string title,
                                         std::uint64_t mostBytes) {
  return Read(phonePath, local, expectedSize, mostBytes, std::move(title), FileReadStyle(),
              nullptr);
}

TransferResult FsacTransfer::P2KGroupRead(const std::string& phonePath,
                                          const std::filesystem::path& local,
                                          std::uint32_t expectedSize, GroupProgress& window) {
  static const ReadStyle style{"[P2KGroupRead] ", " bytes received", false};
  return Read(phonePath, local, expectedSize, kAnyPhoneFileBytes, {}, style, &window);
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

// One download: the start, a step per block, and the end.
class ReadRun {
 public:
  ReadRun(FsacTransfer& transfer, const std::string& phonePath, std::filesystem::path local,
          std::uint32_t expectedSize, std::uint64_t mostBytes, std::string title,
          const FsacTransfer::ReadStyle& style, GroupProgress* group)
      : transfer_(transfer),
        busy_(transfer.session_),
        style_(style),
        local_(std::move(local)),
        expectedSize_(expectedSize),
        mostBytes_(std::min(mostBytes, kLargestCount)),
        log_(transfer.session_.log()),
        file_(local_) {
    result_.localError = file_.FolderProblem();
    if (!result_.localError.empty()) return;
    log_.Write(style.prefix + kEnterLine + phonePath);
    std::int32_t rc = Send(FsacOpenRequest(phonePath, false));
    log_.Write(style.prefix + kOpenLine + Number(rc));
    if (rc == kP2kFailure && style.stopOnRefusedOpen) return;
    rc = Send(FsacSeekRequest(0, kSeekFromStart));
    log_.Write(style.prefix + kSeekLine + Number(rc));
    if (rc == kP2kFailure) return;
    result_.localError = file_.Create();
    progress_.emplace(transfer.windows_, group, std::move(title), kDownloading,
                      PhoneFileName(phonePath));
    progress_->Start(true);
    opened_ = true;
  }

  bool Step() {
    if (!opened_ || blocksOver_) return false;
    blocksOver_ = !NextBlock();
    return !blocksOver_;
  }

  TransferResult Finish() {
    if (!opened_) return result_;
    while (Step()) {
    }
    bool checkRefused = false;
    if (endOfFile_ && fullBlockSeen_ && result_.localError.empty()) {
      const std::int32_t rc = Send(FsacSeekRequest(kEndOfFileCheckOffset, kSeekFromEnd));
      log_.Write(style_.prefix + kCheckSeekLine + Number(rc));
      checkRefused = ReadBlock() == kP2kFailure;
      if (received_ == kFsacBlockSize &&
          std::fwrite(&response_[kFsacBlockSize - 1], 1, 1, file_.get()) != 1)
        result_.localError = FileError("write", local_, errno);
    }

    if (!file_.Close() && result_.localError.empty())
      result_.localError = FileError("write", local_, errno);
    const std::int32_t rc = Send(FsacCloseRequest());
    log_.Write(style_.prefix + kCloseLine + Number(rc));
    progress_->Close();

    result_.bytes =
        count_ == 0 || count_ > mostBytes_ ? kP2kFailure : static_cast<std::int32_t>(count_);
    result_.complete =
        endOfFile_ && !checkRefused && result_.localError.empty() && result_.bytes != kP2kFailure;
    if (result_.complete) result_.localError = file_.Keep();
    result_.complete = result_.complete && result_.localError.empty();
    opened_ = false;
    return result_;
  }

 private:
  std::int32_t Send(const Bytes& request, std::uint32_t capacity = 0) {
    return transfer_.Send(request, capacity, response_, received_);
  }

  std::int32_t ReadBlock() {
    const std::int32_t readRc = Send(FsacReadRequest(kFsacBlockSize), kFsacBlockSize);
    log_.Write(style_.prefix + kReadLine + Number(readRc) + style_.receivedLabel +
               Number(received_));
    return readRc;
  }

  // False once the blocks are over: the end came, or the read cannot go on.
  bool NextBlock() {
    if (!file_.created()) return false;
    // An empty answer moves nothing; taking it as the end keeps a silent phone from holding
    // the program in this loop.
    if (ReadBlock() == kP2kFailure || received_ == 0) return false;
    if (received_ == kFsacBlockSize) fullBlockSeen_ = true;
    if (received_ == 1 && response_[0] == kEndOfFileMarker) {
      endOfFile_ = true;
      return false;
    }
    if (std::fwrite(response_.data(), 1, received_, file_.get()) != received_) {
      result_.localError = FileError("write", local_, errno);
      return false;
    }
    count_ += received_;
    // A phone that sends more than the file can hold lies, or the file is not what it should be.
    if (count_ > mostBytes_) {
      result_.overLimit = true;
      return false;
    }
    progress_->Advance(Percent(count_, expectedSize_), received_);
    if (progress_->CancelRequested()) {
      result_.cancelled = true;
      return false;
    }
    return true;
  }

  FsacTransfer& transfer_;
  const PhoneSession::Busy busy_;
  const FsacTransfer::ReadStyle& style_;
  std::filesystem::path local_;
  std::uint32_t expectedSize_;
  std::uint64_t mostBytes_;
  PhoneLog& log_;
  DownloadFile file_;
  std::optional<TransferProgress> progress_;
  TransferResult result_;
  Bytes response_;
  std::uint32_t received_ = 0;
  std::uint64_t count_ = 0;
  bool fullBlockSeen_ = false;
  bool endOfFile_ = false;
  bool opened_ = false;  // the phone's file is open, and the result not yet final
  bool blocksOver_ = false;
};

TransferResult FsacTransfer::Read(const std::string& phonePath, const std::filesystem::path& local,
                                  std::uint32_t expectedSize, std::uint64_t mostBytes,
                                  std::string title, const ReadStyle& style, GroupProgress* group) {
  return ReadRun(*this, phonePath, local, expectedSize, mostBytes, std::move(title), style, group)
      .Finish();
}

SteppedFileRead::SteppedFileRead(FsacTransfer& transfer, const std::string& phonePath,
                                 const std::filesystem::path& local, std::uint32_t expectedSize,
                                 std::uint64_t mostBytes, std::string title) {
  run_ = std::make_unique<ReadRun>(transfer, phonePath, local, expectedSize, mostBytes,
                                   std::move(title), FsacTransfer::FileReadStyle(), nullptr);
}

SteppedFileRead::~SteppedFileRead() = default;

bool SteppedFileRead::Step() { return run_->Step(); }

TransferResult SteppedFileRead::Finish() { return run_->Finish(); }

TransferResult FsacTransfer::Write(const std::filesystem::path& local, const std::string& phonePath,
                                   const WriteStyle& style, GroupProgress* group) {
  const PhoneSession::Busy busy(session_);
  TransferResult result;
  PhoneLog& log = session_.log();
  int fd = -1;
  std::uint64_t fileSize = 0;
  result.localError = OpenRegularFile(local, fd, fileSize);
  if (!result.localError.empty()) return result;
  LocalFile file(::fdopen(fd, "rb"));
  if (!file) {
    result.localError = FileError("open", local, errno);
    ::close(fd);
    return result;
  }
  if (fileSize > kLargestCount) {
    result.localError = FileError("read", local, EFBIG);
    return result;
  }
  const auto size = static_cast<std::uint32_t>(fileSize);
  const std::string name = PhoneFileName(phonePath);
  const std::string title = kUploading + name;
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
    // The phone puts what was written in place of its file only at the close, and drops it
    // when another file is opened: left unclosed, the upload never replaces the old file.
    if (progress.CancelRequested()) {
      progress.Close();
      result.cancelled = true;
      return result;
    }
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

#include "base/local_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "base/temporary_files.h"

namespace menuforge {
namespace {

constexpr char kLineBreak[] = "\r\n";
constexpr char kNotRegularFile[] = "It is not a regular file";
constexpr char kReadOnlyFile[] = "The file is read-only";
// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;
constexpr std::size_t kReadChunk = 65536;
// A file's own size is trusted for one buffer up to this much at a time.
constexpr std::uint64_t kLargestSizedRead = 16 << 20;
// mkostemp makes the six X unique and opens with O_CREAT | O_EXCL.
constexpr char kTemporarySuffix[] = ".menuforge-XXXXXX";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string CannotWrite(const std::filesystem::path& path, int error) {
  return FileError("create", path, error);
}

bool WriteAll(std::FILE* file, std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// A link is written through: the file it names is replaced, beside itself, and the link stays.
std::string ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) {
  target = path;
  for (int followed = 0;; ++followed) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(target, error);
    if (!std::filesystem::is_symlink(status)) return {};
    if (followed == kMostLinksFollowed) return CannotWrite(path, ELOOP);
    const std::filesystem::path link = std::filesystem::read_symlink(target, error);
    if (error) return CannotWrite(path, error.value());
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
}

// The file's owner keeps it where the system lets us give it back; as an ordinary user that is
// only possible for our own files and groups we belong to.
void KeepOwner(int fd, const struct stat& existing) {
  if (::fchown(fd, existing.st_uid, existing.st_gid) == 0) return;
  [[maybe_unused]] const int groupKept = ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
}

// Fills `contents` from an open file until it ends or `limit` bytes are read, growing it by
// chunks so that a file that grows while it is read costs no more than `limit`. The size the file
// had when opened, and one byte more to find its end, is read first: a file that keeps its size
// takes one buffer and no bytes cleared beyond it.
template <typename Buffer>
std::string ReadOpenFile(int fd, const std::filesystem::path& path, std::size_t limit,
                         std::uint64_t openedSize, Buffer& contents) {
  Buffer read;
  while (read.size() < limit) {
    const std::size_t start = read.size();
    const std::uint64_t chunk =
        start <= openedSize ? std::min(openedSize + 1 - start, kLargestSizedRead) : kReadChunk;
    read.resize(start + static_cast<std::size_t>(std::min<std::uint64_t>(chunk, limit - start)));
    const ssize_t got = ::read(fd, read.data() + start, read.size() - start);
    if (got < 0 && errno == EINTR) {
      read.resize(start);
      continue;
    }
    if (got < 0) return FileError("read", path, errno);
    read.resize(start + static_cast<std::size_t>(got));
    if (got == 0) break;
  }
  contents = std::move(read);
  return {};
}

template <typename Buffer>
std::string ReadStart(const std::filesystem::path& path, std::size_t limit, Buffer& contents) {
  int fd = -1;
  std::uint64_t size = 0;
  if (std::string error = OpenRegularFile(path, fd, size); !error.empty()) return error;
  std::string error = ReadOpenFile(fd, path, limit, size, contents);
  ::close(fd);
  return error;
}

template <typename Buffer>
std::string ReadLimitedFile(const std::filesystem::path& path, std::size_t limit,
                            std::string_view kind, Buffer& contents) {
  int fd = -1;
  std::uint64_t size = 0;
  if (std::string error = OpenRegularFile(path, fd, size); !error.empty()) return error;
  const auto tooLarge = [&](std::uint64_t bytes) {
    return FileError("read", path,
                     "It is too large for " + std::string(kind) + ": " + std::to_string(bytes) +
                         " bytes, at most " + std::to_string(limit));
  };
  std::string error;
  Buffer read;
  if (size > limit) {
    error = tooLarge(size);
  } else {
    read.reserve(static_cast<std::size_t>(size));
    // One byte more than allowed tells a file that grew past the limit while it was read.
    error = ReadOpenFile(fd, path, limit + 1, size, read);
    if (error.empty() && read.size() > limit) error = tooLarge(read.size());
  }
  ::close(fd);
  if (error.empty()) contents = std::move(read);
  return error;
}

template <typename Buffer>
Result<Buffer> AsResult(std::string error, Buffer contents) {
  if (!error.empty()) return Failure(std::move(error));
  return contents;
}

}  // namespace

std::string OpenRegularFile(const std::filesystem::path& path, int& fd, std::uint64_t& size) {
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FileError("open", path, errno);
  struct stat status {};
  std::string error;
  if (::fstat(fd, &status) != 0)
    error = FileError("open", path, errno);
  else if (!S_ISREG(status.st_mode))
    error = FileError("open", path, kNotRegularFile);
  if (!error.empty()) {
    ::close(fd);
    fd = -1;
    return error;
  }
  size = static_cast<std::uint64_t>(std::max<off_t>(status.st_size, 0));
  return {};
}

Status WriteFileAtomically(const std::filesystem::path& path, ByteView bytes) {
  std::filesystem::path target;
  if (std::string error = ResolveLinks(path, target); !error.empty()) return Failure(error);
  struct stat existing {};
  const bool exists = ::lstat(target.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) return Failure(CannotWrite(path, errno));
  // Root may write any file, so a file without write permission is refused by its bits too.
  if (exists && !S_ISREG(existing.st_mode))
    return Failure(FileError("write", path, kNotRegularFile));
  if (exists && ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
    return Failure(FileError("write", path, kReadOnlyFile));

  int fd = -1;
  std::filesystem::path temporary;
  if (const int error = CreateFileBeside(target, fd, temporary); error != 0)
    return Failure(CannotWrite(path, error));
  const std::string pattern = temporary.string();

  std::size_t written = 0;
  int error = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = errno;
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  // mkstemp makes the file private: keep the replaced file's permissions, or give those the
  // user's umask leaves a new file.
  const mode_t mode = exists ? existing.st_mode & 07777 : NewFileMode();
  if (!error && ::fchmod(fd, mode) != 0) error = errno;
  if (!error && exists) KeepOwner(fd, existing);
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && std::rename(pattern.c_str(), target.c_str()) != 0) error = errno;
  if (error) ::unlink(pattern.c_str());
  TemporaryFileGone(temporary);
  if (error) return Failure(CannotWrite(path, error));
  return {};
}

int CreateFileBeside(const std::filesystem::path& target, int& fd,
                     std::filesystem::path& temporary) {
  std::filesystem::path name = target;
  name += kTemporarySuffix;
  std::string pattern = name.string();
  fd = ::mkostemp(pattern.data(), O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno;
  temporary = pattern;
  RegisterTemporaryPath(temporary);
  return 0;
}

void TemporaryFileGone(const std::filesystem::path& temporary) { ForgetTemporaryPath(temporary); }

mode_t NewFileMode() {
  // The kernel tells the umask without changing it; umask() alone would have to set it to read
  // it, leaving a moment in which another thread creates files under the wrong one.
  const Result<std::string> status = ReadFileStart("/proc/self/status", kReadChunk);
  mode_t mask = 0;
  const std::size_t at = status ? status->find("\nUmask:") : std::string::npos;
  if (at != std::string::npos) {
    mask = static_cast<mode_t>(std::strtoul(status->c_str() + at + 7, nullptr, 8));
  } else {
    mask = ::umask(022);
    ::umask(mask);
  }
  return 0666 & ~mask;
}

std::string NotReplaceableText(const std::filesystem::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))
    return {};
  return FileError("write", path, kNotRegularFile);
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return WriteFileAtomically(
      path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string FileError(std::string_view action, const std::filesystem::path& path, int error) {
  return FileError(action, path, std::string_view(std::strerror(error)));
}

std::string FileError(std::string_view action, const std::filesystem::path& path,
                      std::string_view reason) {
  return "Cannot " + std::string(action) + " file \"" + path.string() + "\". " +
         std::string(reason);
}

Result<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t limit) {
  std::string contents;
  std::string error = ReadStart(path, limit, contents);
  return AsResult(std::move(error), std::move(contents));
}

Result<Bytes> ReadFileStartBytes(const std::filesystem::path& path, std::size_t limit) {
  Bytes contents;
  std::string error = ReadStart(path, limit, contents);
  return AsResult(std::move(error), std::move(contents));
}

Result<std::string> ReadWholeFile(const std::filesystem::path& path) {
  return ReadFileStart(path, std::numeric_limits<std::size_t>::max());
}

Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t limit,
                                  std::string_view kind) {
  std::string contents;
  std::string error = ReadLimitedFile(path, limit, kind, contents);
  return AsResult(std::move(error), std::move(contents));
}

Result<Bytes> ReadWholeFileBytes(const std::filesystem::path& path, std::size_t limit,
                                 std::string_view kind) {
  Bytes contents;
  std::string error = ReadLimitedFile(path, limit, kind, contents);
  return AsResult(std::move(error), std::move(contents));
}

Status AppendLine(const std::filesystem::path& path, std::string_view line) {
  errno = 0;
  File file(std::fopen(path.c_str(), "r+b"));
  if (!file) return Failure(FileError("open", path, errno));
  bool endsWithBreak = true;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return Failure(FileError("read", path, errno));
  if (std::ftell(file.get()) > 0) {
    if (std::fseek(file.get(), -1, SEEK_END) != 0) return Failure(FileError("read", path, errno));
    const int last = std::fgetc(file.get());
    if (last == EOF) return Failure(FileError("read", path, errno));
    endsWithBreak = last == '\n';
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return Failure(FileError("read", path, errno));
  }
  std::string addition = endsWithBreak ? "" : kLineBreak;
  addition.append(line).append(kLineBreak);
  const bool written = WriteAll(file.get(), addition);
  const int writeError = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) return Failure(FileError("write", path, written ? errno : writeError));
  return {};
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace menuforge

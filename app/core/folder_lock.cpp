#include "app/core/folder_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "app/core/folder_lock_text.h"
#include "base/local_file.h"

namespace menuforge {
namespace {

// "PID\nPROGRAM\nHOST\n" takes a few dozen bytes; a lock larger than this is no lock of ours.
constexpr off_t kLargestLock = 4096;
constexpr char kLockAside[] = ".menuforge.lock-XXXXXX";

std::string HostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

// What was found in place of a lock file, for the question.
std::string WhatIsThere(mode_t mode, off_t size) {
  const std::string name = std::string("its lock file ") + kFolderLockFileName;
  if (S_ISLNK(mode)) return name + " is a symbolic link";
  if (S_ISFIFO(mode)) return name + " is a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return name + " is a device";
  if (S_ISDIR(mode)) return name + " is a folder";
  if (S_ISSOCK(mode)) return name + " is a socket";
  if (!S_ISREG(mode)) return name + " is not a regular file";
  return name + " holds " + std::to_string(size) + " bytes, more than a lock ever does";
}

bool IsSmallRegularFile(const struct stat& status) {
  return S_ISREG(status.st_mode) && status.st_size <= kLargestLock;
}

// The holder the lock file names; nothing when it names none (a lock cut short, say).
std::optional<FolderHolder> ReadHolder(const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty()) return std::nullopt;
  char* end = nullptr;
  const long long processId = std::strtoll(lines[0].c_str(), &end, 10);
  if (lines[0].empty() || *end != '\0' || processId <= 0 || processId > INT_MAX)
    return std::nullopt;
  return FolderHolder{processId, lines.size() > 2 ? lines[2] : "",
                      lines.size() > 1 ? lines[1] : ""};
}

bool IsRunning(const FolderHolder& holder) {
  if (!holder.host.empty() && holder.host != HostName()) return true;  // no telling: assume so
  return ::kill(static_cast<pid_t>(holder.processId), 0) == 0 || errno == EPERM;
}

}  // namespace

FolderLock::FolderLock(std::filesystem::path folder, std::string program)
    : folder_(std::move(folder)),
      path_(folder_ / kFolderLockFileName),
      program_(std::move(program)) {}

FolderLock::~FolderLock() {
  struct stat status {};
  if (held_ && ::lstat(path_.c_str(), &status) == 0 && status.st_ino == inode_ &&
      status.st_dev == device_)
    ::unlink(path_.c_str());
}

bool FolderLock::Create() {
  const std::string text = std::to_string(::getpid()) + "\n" + program_ + "\n" + HostName() + "\n";
  const auto fill = [&](int fd, struct stat& status) {
    const bool written =
        ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
        ::fchmod(fd, NewFileMode()) == 0 && ::fstat(fd, &status) == 0;
    return ::close(fd) == 0 && written;
  };
  // Written aside and linked under the lock's name, a lock is never seen half written: link()
  // fails when the name is taken, as O_EXCL does.
  std::string aside = (folder_ / kLockAside).string();
  const int fd = ::mkostemp(aside.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  const bool written = fill(fd, status);
  bool linked = written && ::link(aside.c_str(), path_.c_str()) == 0;
  int error = written ? errno : EIO;
  ::unlink(aside.c_str());
  // A file system without hard links takes the lock as a file created under its name.
  if (written && !linked && error != EEXIST) {
    const int created =
        ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    error = created >= 0 ? 0 : errno;
    linked = created >= 0 && fill(created, status);
    if (created >= 0 && !linked) ::unlink(path_.c_str());
  }
  if (!linked) {
    errno = error != 0 ? error : EIO;
    return false;
  }
  held_ = true;
  inode_ = status.st_ino;
  device_ = status.st_dev;
  return true;
}

std::optional<std::string> FolderLock::Take() {
  const std::string folder = folder_.string();
  // A lock left by a process that ended is removed once and taken; a second such lock means
  // another program took it over meanwhile.
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (Create()) return std::nullopt;
    if (errno != EEXIST) return FolderNotLockableText(folder);
    struct stat status {};
    if (::lstat(path_.c_str(), &status) != 0) continue;  // gone meanwhile
    if (!IsSmallRegularFile(status))
      return FolderNotLockableText(folder, WhatIsThere(status.st_mode, status.st_size));
    // O_NONBLOCK: a FIFO put there since lstat is opened without waiting for a writer.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT) continue;
      if (errno == ELOOP) return FolderNotLockableText(folder, WhatIsThere(S_IFLNK, 0));
      return FolderNotLockableText(folder);
    }
    std::string text;
    bool read = ::fstat(fd, &status) == 0 && IsSmallRegularFile(status);
    if (read) {
      text.resize(static_cast<std::size_t>(status.st_size));
      const ssize_t got = ::read(fd, text.data(), text.size());
      read = got >= 0;
      text.resize(read ? static_cast<std::size_t>(got) : 0);
    }
    ::close(fd);
    if (!read) return FolderNotLockableText(folder, WhatIsThere(status.st_mode, status.st_size));
    const std::optional<FolderHolder> holder = ReadHolder(text);
    if (holder && IsRunning(*holder)) return FolderInUseText(folder, *holder);
    ::unlink(path_.c_str());
  }
  return FolderNotLockableText(folder);
}

}  // namespace menuforge

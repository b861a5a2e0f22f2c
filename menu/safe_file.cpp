#include "menu/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace menuforge {
namespace {

std::string CannotWrite(const std::filesystem::path& path, int error) {
  return "Cannot create file \"" + path.string() + "\". " + std::strerror(error);
}

}  // namespace

std::string WriteFileAtomically(const std::filesystem::path& path, ByteView bytes) {
  std::filesystem::path temporary = path;
  temporary += ".menuforge-XXXXXX";
  std::string pattern = temporary.string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return CannotWrite(path, errno);

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
  // mkstemp makes the file private: keep the replaced file's permissions, or those of an
  // ordinary document.
  struct stat existing {};
  const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
  if (!error && ::fchmod(fd, mode) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && std::rename(pattern.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(pattern.c_str());
    return CannotWrite(path, error);
  }
  return {};
}

}  // namespace menuforge

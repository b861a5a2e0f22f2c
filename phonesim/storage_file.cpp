#include "phonesim/storage_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace menuforge {

int CreateTemporaryFile(const std::filesystem::path& folder, std::filesystem::path& temporary) {
  std::string name = (folder / ".part-XXXXXX").string();
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) temporary = name;
  return fd;
}

bool WriteAllAt(int fd, ByteView bytes, std::uint64_t offset) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written,
                               static_cast<off_t>(offset + written));
    if (n > 0)
      written += static_cast<std::size_t>(n);
    else if (n == 0 || errno != EINTR)
      return false;
  }
  return true;
}

bool PutInPlace(int fd, const std::filesystem::path& temporary,
                const std::filesystem::path& target) {
  bool ok = ::fchmod(fd, 0644) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

void DiscardTemporaryFile(int fd, const std::filesystem::path& temporary) {
  ::close(fd);
  ::unlink(temporary.c_str());
}

bool ReplaceStorageFile(const std::filesystem::path& path, ByteView bytes) {
  std::filesystem::path temporary;
  const int fd = CreateTemporaryFile(path.parent_path(), temporary);
  if (fd < 0) return false;
  if (WriteAllAt(fd, bytes, 0)) return PutInPlace(fd, temporary, path);
  DiscardTemporaryFile(fd, temporary);
  return false;
}

}  // namespace menuforge

#include "phonesim/storage_file.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace menuforge {

bool ReplaceStorageFile(const std::filesystem::path& path, ByteView bytes) {
  std::string temporary = path.string() + ".part-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  std::size_t written = 0;
  bool ok = true;
  while (ok && written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n > 0)
      written += static_cast<std::size_t>(n);
    else
      ok = n < 0 && errno == EINTR;
  }
  ok = ::fchmod(fd, 0644) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace menuforge

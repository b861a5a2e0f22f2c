#include "menu/local_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace menuforge {
namespace {

constexpr char kLineBreak[] = "\r\n";

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

std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return WriteFileAtomically(
      path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string FileError(std::string_view action, const std::filesystem::path& path, int error) {
  return "Cannot " + std::string(action) + " file \"" + path.string() + "\". " +
         std::strerror(error);
}

std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents) {
  errno = 0;
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return FileError("open", path, errno);
  std::string read;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) read.append(buffer, got);
  if (std::ferror(file.get())) return FileError("read", path, errno);
  contents = std::move(read);
  return {};
}

std::string AppendLine(const std::filesystem::path& path, std::string_view line) {
  errno = 0;
  File file(std::fopen(path.c_str(), "r+b"));
  if (!file) return FileError("open", path, errno);
  bool endsWithBreak = true;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return FileError("read", path, errno);
  if (std::ftell(file.get()) > 0) {
    if (std::fseek(file.get(), -1, SEEK_END) != 0) return FileError("read", path, errno);
    const int last = std::fgetc(file.get());
    if (last == EOF) return FileError("read", path, errno);
    endsWithBreak = last == '\n';
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return FileError("read", path, errno);
  }
  std::string addition = endsWithBreak ? "" : kLineBreak;
  addition.append(line).append(kLineBreak);
  const bool written = WriteAll(file.get(), addition);
  const int writeError = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) return FileError("write", path, written ? errno : writeError);
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

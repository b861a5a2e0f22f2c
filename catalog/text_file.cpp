#include "catalog/text_file.h"

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

std::string FileError(std::string_view action, const std::filesystem::path& path, int error) {
  return "Cannot " + std::string(action) + " file \"" + path.string() + "\": " + std::strerror(error);
}

bool WriteAll(std::FILE* file, std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

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

std::string ReplaceFile(const std::filesystem::path& path, std::string_view contents) {
  std::filesystem::path partial = path;
  partial += ".new";
  errno = 0;
  File file(std::fopen(partial.c_str(), "wb"));
  if (!file) return FileError("create", partial, errno);
  const bool written = WriteAll(file.get(), contents);
  const int writeError = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    const int error = written ? errno : writeError;
    std::remove(partial.c_str());
    return FileError("write", partial, error);
  }
  if (std::rename(partial.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(partial.c_str());
    return FileError("create", path, error);
  }
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

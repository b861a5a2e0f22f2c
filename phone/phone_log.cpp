#include "phone/phone_log.h"

#include <cerrno>

#include "base/local_file.h"

namespace menuforge {

Status PhoneLog::Create(const std::filesystem::path& path) {
  errno = 0;
  file_.reset(std::fopen(path.c_str(), "wb"));
  if (!file_) return Failure(FileError("create", path, errno));
  // Emptied, then written at its end whatever else adds to it: lines a script appends meanwhile
  // are never overwritten.
  return Append(path);
}

Status PhoneLog::Append(const std::filesystem::path& path) {
  errno = 0;
  file_.reset(std::fopen(path.c_str(), "ab"));
  if (!file_) return Failure(FileError("open", path, errno));
  return {};
}

void PhoneLog::Write(std::string_view line) {
  if (!settings_.logging || !file_) return;
  std::fwrite(line.data(), 1, line.size(), file_.get());
  std::fputs("\r\n", file_.get());
  std::fflush(file_.get());
}

}  // namespace menuforge

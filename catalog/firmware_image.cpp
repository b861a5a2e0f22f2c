#include "catalog/firmware_image.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/local_file.h"

namespace menuforge {

FirmwareImage::~FirmwareImage() {
  if (fd_ >= 0) ::close(fd_);
}

bool FirmwareImage::Open(const std::filesystem::path& path) {
  path_ = path;
  error_ = OpenRegularFile(path, fd_, size_);
  return error_.empty();
}

bool FirmwareImage::ReadInto(std::size_t at, std::uint64_t fileOffset, std::size_t length) {
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd_, buffer_.data() + at + done, length - done,
                              static_cast<off_t>(fileOffset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      windowLength_ = 0;
      error_ = FileError("read", path_, errno);
      return false;
    }
    // An image that shrank while it was read ends where the bytes end.
    if (n == 0) {
      size_ = fileOffset + done;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  windowLength_ = at + done;
  return true;
}

bool FirmwareImage::Fill(std::uint64_t offset) {
  windowStart_ = offset;
  const std::uint64_t left = offset < size_ ? size_ - offset : 0;
  return ReadInto(0, offset, static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, left)));
}

bool FirmwareImage::Advance(std::size_t keep) {
  keep = std::min(keep, windowLength_);
  std::memmove(buffer_.data(), buffer_.data() + windowLength_ - keep, keep);
  windowStart_ += windowLength_ - keep;
  const std::uint64_t next = windowStart_ + keep;
  const std::uint64_t left = next < size_ ? size_ - next : 0;
  return ReadInto(keep, next,
                  static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize - keep, left)));
}

bool FirmwareImage::Read(std::uint64_t offset, std::size_t length, ByteView& bytes) {
  bytes = {};
  if (offset >= size_) return true;
  const std::uint64_t end = offset + std::min<std::uint64_t>(length, size_ - offset);
  const bool buffered = offset >= windowStart_ && end <= windowStart_ + windowLength_;
  if (!buffered) {
    std::uint64_t start = offset;
    if (offset < windowStart_) start = end > kBufferSize ? end - kBufferSize : 0;
    if (!Fill(start)) return false;
  }
  const std::uint64_t windowEnd = windowStart_ + windowLength_;
  if (offset >= windowEnd) return true;
  bytes = window().subspan(static_cast<std::size_t>(offset - windowStart_),
                           static_cast<std::size_t>(std::min(end, windowEnd) - offset));
  return true;
}

}  // namespace menuforge

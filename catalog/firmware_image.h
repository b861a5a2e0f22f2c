// A firmware image on disk, read through one 64 KB buffer: images run to hundreds of megabytes,
// so they are never read whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/text_encoding.h"

namespace menuforge {

class FirmwareImage {
 public:
  static constexpr std::size_t kBufferSize = 65536;

  FirmwareImage() : buffer_(kBufferSize) {}
  ~FirmwareImage();
  FirmwareImage(const FirmwareImage&) = delete;
  FirmwareImage& operator=(const FirmwareImage&) = delete;

  // Each returns false after a failure; error() then says why in the user's words.
  [[nodiscard]] bool Open(const std::filesystem::path& path);
  // Fills the buffer from `offset` on: a full buffer, or what is left of the image.
  [[nodiscard]] bool Fill(std::uint64_t offset);
  // Keeps the last `keep` bytes of the buffer at its front and fills the rest with the bytes
  // that follow, so that a search over consecutive blocks sees patterns that straddle two.
  [[nodiscard]] bool Advance(std::size_t keep);
  // The bytes [offset, offset + length) or, near the end of the image, as many as there are.
  // Served from the buffer when they are in it; otherwise the buffer is filled so that it
  // holds them, ending at them when the reads walk backwards. `length` is at most kBufferSize.
  [[nodiscard]] bool Read(std::uint64_t offset, std::size_t length, ByteView& bytes);

  ByteView window() const { return ByteView(buffer_.data(), windowLength_); }
  std::uint64_t windowStart() const { return windowStart_; }
  bool windowReachesEnd() const { return windowStart_ + windowLength_ >= size_; }
  std::uint64_t size() const { return size_; }
  const std::string& error() const { return error_; }

 private:
  // Reads into the buffer from `at` on, starting with the byte at `fileOffset`.
  [[nodiscard]] bool ReadInto(std::size_t at, std::uint64_t fileOffset, std::size_t length);

  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  Bytes buffer_;
  std::uint64_t windowStart_ = 0;
  std::size_t windowLength_ = 0;
  std::string error_;
};

}  // namespace menuforge

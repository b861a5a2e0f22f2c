#include "phonesim/phone_open_file.h"

#include <algorithm>

#include "menu/local_file.h"
#include "phonesim/storage_file.h"

namespace menuforge {

std::optional<PhoneOpenFile> PhoneOpenFile::Open(const std::filesystem::path& local) {
  std::error_code error;
  if (!std::filesystem::is_directory(local.parent_path(), error)) return std::nullopt;
  PhoneOpenFile file;
  file.local_ = local;
  const auto status = std::filesystem::status(local, error);
  if (std::filesystem::is_directory(status)) return std::nullopt;
  if (std::filesystem::exists(status)) {
    std::string contents;
    if (!ReadWholeFile(local, contents).empty() || contents.size() > kMaxPhoneFileSize)
      return std::nullopt;
    file.contents_.assign(contents.begin(), contents.end());
    file.exists_ = true;
  }
  return file;
}

bool PhoneOpenFile::Seek(std::uint32_t offset, std::uint8_t mode) {
  switch (mode) {
    case kSeekFromStart: position_ = offset; return true;
    case kSeekFromCurrent: position_ += offset; return true;
    case kSeekFromEnd: position_ = contents_.size() + offset; return true;
    default: return false;
  }
}

std::optional<Bytes> PhoneOpenFile::Read(std::size_t wanted) {
  readTried_ = true;
  if (!exists_) return std::nullopt;
  const std::size_t size = contents_.size();
  if (position_ >= size) return Bytes{kEndOfFileMarker};
  std::size_t count = std::min<std::size_t>(wanted, size - position_);
  const bool leavesLoneMarker =
      size - position_ - count == 1 && contents_.back() == kEndOfFileMarker;
  if (leavesLoneMarker && count > 1) --count;
  const auto begin = contents_.begin() + static_cast<std::ptrdiff_t>(position_);
  position_ += count;
  return Bytes(begin, begin + static_cast<std::ptrdiff_t>(count));
}

bool PhoneOpenFile::Write(ByteView data) {
  if (spoiled_ || position_ + data.size() > kMaxPhoneFileSize) {
    spoiled_ = true;
    return false;
  }
  contents_.resize(position_);
  contents_.insert(contents_.end(), data.begin(), data.end());
  position_ += data.size();
  exists_ = written_ = true;
  return true;
}

bool PhoneOpenFile::Close() {
  if (spoiled_) return false;
  if (!written_ && (exists_ || readTried_)) return true;
  return ReplaceStorageFile(local_, contents_);
}

}  // namespace menuforge

#include "phonesim/phone_open_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <utility>

#include "phonesim/storage_file.h"

namespace menuforge {
namespace {

// Room is claimed from the volume a megabyte at a time, so that an upload does not count the
// volume's files for every block; near a full volume only what is needed is claimed.
constexpr std::uint64_t kClaimStep = 1u << 20;
constexpr std::size_t kHeldWrites = 64 * 1024;
constexpr std::size_t kReadWindow = 64 * 1024;

[[nodiscard]] bool ReadAllAt(int fd, std::span<std::uint8_t> buffer, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n =
        ::pread(fd, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
    if (n > 0)
      done += static_cast<std::size_t>(n);
    else if (n == 0 || errno != EINTR)
      return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<PhoneOpenFile> PhoneOpenFile::Open(PhoneStorage& storage, char volume,
                                                   const std::filesystem::path& local) {
  std::error_code error;
  if (!std::filesystem::is_directory(local.parent_path(), error)) return nullptr;
  std::unique_ptr<PhoneOpenFile> file(new PhoneOpenFile(storage, volume, local));
  // Without following a link, and without waiting on a FIFO; a folder is refused below.
  file->old_ = ::open(local.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (file->old_ < 0) return errno == ENOENT ? std::move(file) : nullptr;
  struct stat status {};
  if (::fstat(file->old_, &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  file->oldSize_ = file->size_ = static_cast<std::uint64_t>(status.st_size);
  return file;
}

PhoneOpenFile::~PhoneOpenFile() {
  DropDraft();
  if (old_ >= 0) ::close(old_);
  storage_.Release(volume_, granted_);
}

bool PhoneOpenFile::Seek(std::uint32_t offset, std::uint8_t mode) {
  std::uint64_t target = 0;
  switch (mode) {
    case kSeekFromStart: target = offset; break;
    case kSeekFromCurrent: target = position_ + offset; break;
    case kSeekFromEnd: target = size_ + offset; break;
    default: return false;
  }
  if (target > storage_.volumeCapacity()) return false;
  position_ = target;
  return true;
}

std::optional<Bytes> PhoneOpenFile::Read(std::size_t wanted) {
  readTried_ = true;
  if (!Flush()) return std::nullopt;
  if (Current() < 0) return std::nullopt;
  if (position_ >= size_) return Bytes{kEndOfFileMarker};
  std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, size_ - position_));
  if (size_ - position_ - count == 1 && count > 1) {
    std::array<std::uint8_t, 1> last{};
    if (!ReadAt(last, size_ - 1)) return std::nullopt;
    if (last[0] == kEndOfFileMarker) --count;
  }
  Bytes data(count);
  if (!ReadAt(data, position_)) return std::nullopt;
  position_ += count;
  return data;
}

bool PhoneOpenFile::ReadAt(std::span<std::uint8_t> bytes, std::uint64_t offset) {
  if (offset < windowAt_ || offset + bytes.size() > windowAt_ + window_.size()) {
    if (bytes.size() > kReadWindow) return ReadAllAt(Current(), bytes, offset);
    window_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kReadWindow, size_ - offset)));
    windowAt_ = offset;
    if (!ReadAllAt(Current(), window_, offset)) {
      window_.clear();
      return false;
    }
  }
  std::copy_n(window_.begin() + static_cast<std::ptrdiff_t>(offset - windowAt_), bytes.size(),
              bytes.begin());
  return true;
}

bool PhoneOpenFile::Write(ByteView data) {
  const std::uint64_t end = position_ + data.size();
  if (spoiled_ || end > storage_.volumeCapacity() || !Reserve(end) ||
      (draft_ < 0 && !StartDraft()) || !WriteAt(data)) {
    spoiled_ = true;
    return false;
  }
  position_ = size_ = end;
  return true;
}

bool PhoneOpenFile::Reserve(std::uint64_t size) {
  const std::uint64_t held = FileCost(Before()) + granted_;
  if (FileCost(size) <= held) return true;
  const std::uint64_t wanted = FileCost(size) - held;
  for (const std::uint64_t bytes : {std::max(wanted, kClaimStep), wanted}) {
    if (storage_.Claim(volume_, bytes)) {
      granted_ += bytes;
      return true;
    }
  }
  return false;
}

bool PhoneOpenFile::StartDraft() {
  const std::optional<std::filesystem::path> folder = storage_.DraftFolder();
  if (!folder) return false;
  draft_ = CreateTemporaryFile(*folder, draftPath_);
  if (draft_ < 0) return false;
  const std::uint64_t kept = std::min(position_, oldSize_);
  Bytes block(64 * 1024);
  for (std::uint64_t done = 0; done < kept;) {
    const auto span = std::span(block).first(
        static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), kept - done)));
    if (!ReadAllAt(old_, span, done) || !WriteAllAt(draft_, span, done)) return false;
    done += span.size();
  }
  size_ = kept;
  return true;
}

bool PhoneOpenFile::WriteAt(ByteView data) {
  if (size_ != position_ && (!Flush() || ::ftruncate(draft_, static_cast<off_t>(position_)) != 0))
    return false;
  window_.clear();
  if (pending_.empty()) pendingAt_ = position_;
  pending_.insert(pending_.end(), data.begin(), data.end());
  return pending_.size() < kHeldWrites || Flush();
}

bool PhoneOpenFile::Flush() {
  if (pending_.empty()) return true;
  const bool written = WriteAllAt(draft_, pending_, pendingAt_);
  pending_.clear();
  if (!written) spoiled_ = true;
  return written;
}

void PhoneOpenFile::DropDraft() {
  if (draft_ < 0) return;
  DiscardTemporaryFile(draft_, draftPath_);
  draft_ = -1;
}

bool PhoneOpenFile::Close() {
  if (spoiled_) return false;
  if (draft_ >= 0) {
    if (!Flush() || !PutInPlace(std::exchange(draft_, -1), draftPath_, local_)) return false;
    storage_.Resized(volume_, Before(), size_);
    return true;
  }
  if (old_ >= 0 || readTried_) return true;
  return storage_.CreateEmptyFile(volume_, local_);
}

}  // namespace menuforge

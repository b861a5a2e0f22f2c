#include "browser/core/picture_previews.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

#include "base/local_file.h"
#include "phone/fsac_transfer.h"

namespace menuforge {
namespace {

constexpr std::array<std::string_view, 3> kPictureExtensions = {".gif", ".png", ".bmp"};

// Previews are fetched while the browser is shown; a progress window per icon would flicker
// over it.
class QuietSink : public ProgressSink {
 public:
  void SetCaption(const std::string&) override {}
  void SetPosition(int) override {}
  void Close() override {}
};

class QuietWindows : public ProgressWindows {
 public:
  std::unique_ptr<ProgressSink> Show(const std::string&) override {
    return std::make_unique<QuietSink>();
  }
};

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

bool IsPictureName(std::string_view name) {
  return std::any_of(kPictureExtensions.begin(), kPictureExtensions.end(),
                     [&](std::string_view extension) { return EndsWithNoCase(name, extension); });
}

// A fresh file of its own in the system's temporary folder, removed with the object.
class TemporaryFile {
 public:
  TemporaryFile() {
    std::string name = (std::filesystem::temp_directory_path() / "menuforge-preview-XXXXXX");
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) return;
    close(descriptor);
    path_ = name;
  }
  ~TemporaryFile() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove(path_, ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::optional<Bytes> Contents(const TransferResult& result, const std::filesystem::path& file) {
  // The read stops past the preview limit; what is kept says only that, by its size, so that
  // the file shows as too large to preview rather than as missing.
  if (result.overLimit) return Bytes(kMaxPreviewBytes + 1);
  if (!result.complete) return std::nullopt;
  const Result<std::string> contents = ReadWholeFile(file);
  if (!contents) return std::nullopt;
  return Bytes(contents->begin(), contents->end());
}

}  // namespace

struct PicturePreviews::PendingFetch {
  PendingFetch(PhoneSession& session, std::string phonePath)
      : path(std::move(phonePath)), transfer(session, quiet) {
    if (!file.path().empty()) read.emplace(transfer, path, file.path(), 0, kMaxPreviewBytes);
  }

  std::string path;
  TemporaryFile file;
  QuietWindows quiet;
  FsacTransfer transfer;
  std::optional<SteppedFileRead> read;  // none without a temporary file
};

PicturePreviews::PicturePreviews() = default;

PicturePreviews::~PicturePreviews() { FinishFetching(); }

bool IsPreviewable(std::string_view name, std::uint32_t size) {
  return size > 0 && size <= kMaxPreviewBytes && IsPictureName(name);
}

std::optional<std::string_view> NoPreviewReason(std::string_view name, std::uint32_t size) {
  if (size > kMaxPreviewBytes && IsPictureName(name)) return kTooLargeToPreviewText;
  return std::nullopt;
}

const Bytes* PicturePreviews::Find(const std::string& phonePath) const {
  const auto found = fetched_.find(phonePath);
  return found != fetched_.end() && found->second ? &*found->second : nullptr;
}

const Bytes* PicturePreviews::Fetch(PhoneSession& session, const std::string& phonePath) {
  if (session.library().callInFlight()) return Find(phonePath);
  FinishFetching();
  if (!Known(phonePath) && session.connected()) {
    while (!FetchStep(session, phonePath)) {
    }
  }
  return Find(phonePath);
}

std::optional<std::string> PicturePreviews::FetchStep(PhoneSession& session,
                                                      const std::string& phonePath) {
  // Asked from a window's turn while another call waits for the phone: its calls would be
  // refused and the picture taken for unreadable.
  if (session.library().callInFlight()) return std::nullopt;
  if (!pending_) {
    // Without a phone nothing is learnt about the file.
    if (Known(phonePath) || !session.connected()) return std::nullopt;
    pending_ = std::make_unique<PendingFetch>(session, phonePath);
    if (!pending_->read) return EndPending();
  }
  if (pending_->read->Step()) return std::nullopt;
  return EndPending();
}

void PicturePreviews::FinishFetching() {
  if (pending_) EndPending();
}

void PicturePreviews::Clear() {
  FinishFetching();
  fetched_.clear();
}

std::string PicturePreviews::EndPending() {
  const std::unique_ptr<PendingFetch> pending = std::move(pending_);
  std::optional<Bytes> bytes;
  if (pending->read) bytes = Contents(pending->read->Finish(), pending->file.path());
  fetched_[pending->path] = std::move(bytes);
  return pending->path;
}

}  // namespace menuforge

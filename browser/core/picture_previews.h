// The pictures of phone files as the browser's file list and the item editor's indicator show
// them: fetched from the phone one file at a time, on demand, and kept for the run. A window
// fetches them a block at a time between its events, so that a slow phone never holds it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_encoding.h"
#include "phone/phone_session.h"
#include "pictures/picture_decoding.h"

namespace menuforge {

inline constexpr char kTooLargeToPreviewText[] = "No preview: the file is larger than 64 KB";

// A GIF, PNG or BMP file (by its extension, in any letter case) small enough to preview.
bool IsPreviewable(std::string_view name, std::uint32_t size);
// Why a picture file shows no preview, when it is by its size; nothing for any other file.
std::optional<std::string_view> NoPreviewReason(std::string_view name, std::uint32_t size);

class PicturePreviews {
 public:
  PicturePreviews();
  ~PicturePreviews();
  PicturePreviews(const PicturePreviews&) = delete;
  PicturePreviews& operator=(const PicturePreviews&) = delete;

  // Whether the path was fetched already, with or without success.
  bool Known(const std::string& phonePath) const { return fetched_.contains(phonePath); }
  // The bytes fetched, or nullptr when not fetched or not readable.
  const Bytes* Find(const std::string& phonePath) const;
  // Reads the whole file from the phone without a progress window; a file that does not come
  // whole is remembered as unreadable. Neither this nor FetchStep does anything while another
  // call waits for the phone.
  const Bytes* Fetch(PhoneSession& session, const std::string& phonePath);
  // One step of a fetch: reads the next block of the file being fetched, starting with
  // `phonePath` when none is (nothing for a known path or without a phone). Returns the path
  // whose fetch ended with this step, if any. The same phone commands as Fetch.
  std::optional<std::string> FetchStep(PhoneSession& session, const std::string& phonePath);
  bool fetching() const { return pending_ != nullptr; }
  // Ends the fetch under way, before anything else uses the phone.
  void FinishFetching();
  // The file changed or went on the phone.
  void Forget(const std::string& phonePath) { fetched_.erase(phonePath); }
  void Clear();

 private:
  struct PendingFetch;

  std::string EndPending();

  std::map<std::string, std::optional<Bytes>, std::less<>> fetched_;
  std::unique_ptr<PendingFetch> pending_;
};

}  // namespace menuforge

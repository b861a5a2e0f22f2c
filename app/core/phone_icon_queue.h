// The phone's pictures for the preview's list icons. The preview asks for them by path while it
// draws; they are fetched a block at a time through the browser's previews, shared with the
// Picture Picker so that only one file is ever open on the phone, decoded as the picker decodes
// them, and kept until the phone goes or another one comes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browser/core/picture_previews.h"
#include "phone/phone_session.h"
#include "preview/icon_sources.h"

namespace menuforge {

class PhoneIconQueue : public PhoneIconSource {
 public:
  PhoneIconQueue(PhoneSession& session, PicturePreviews& previews)
      : session_(session), previews_(previews) {}

  // Only the pictures of the latest drawing are fetched, in the order it asked for them.
  void BeginDrawing() override { wanted_.clear(); }
  IconLookup Find(std::u16string_view phonePath) override;

  // A picture asked for waits, or a fetch is under way.
  bool HasWork() const { return !wanted_.empty() || previews_.fetching(); }
  // Reads one block of the first picture wanted. True when the preview should be drawn again:
  // a picture came (or proved missing or unreadable), or the phone went.
  bool Step();
  // The phone went or another one came: nothing fetched from the one before is shown.
  void PhoneChanged();

 private:
  struct Kept {
    IconLookup lookup;
    // A fetched picture stays while the previews hold the bytes it was decoded from: the picker
    // forgets a file it wrote over or deleted, and may fetch it again.
    bool fetched = false;
    std::optional<Bytes> source;  // none for a file that could not be read
  };

  bool StillFetched(const std::string& phonePath, const Kept& kept) const;
  Kept Decode(const std::string& phonePath) const;
  bool ListedTooLarge(const std::string& phonePath) const;

  PhoneSession& session_;
  PicturePreviews& previews_;
  std::vector<std::string> wanted_;
  std::map<std::string, Kept, std::less<>> kept_;
};

}  // namespace menuforge

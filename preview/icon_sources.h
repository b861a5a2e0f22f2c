// Where the preview gets the pictures of list icons: files on the phone (or a local folder that
// mirrors it) and the icons of a DRM binary. A source may answer "not yet" and be asked again
// once its picture has come, so that drawing never waits for a phone.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "pictures/drm_binary.h"
#include "pictures/picture.h"
#include "preview/entry_look.h"

namespace menuforge {

enum class IconStatus {
  Ready,
  NoIcon,      // the entry names none
  Waiting,     // asked for; ask again when the source says it has come
  NoPhone,     // a file on the phone, and no phone to ask
  NoBinary,    // a DRM number, and no DRM binary loaded
  NotFound,    // no such file, or no picture under that number
  Unreadable,  // a file that is no picture the preview can draw
  TooLarge,    // a file larger than any icon, left unread
};

struct IconLookup {
  IconStatus status = IconStatus::NoIcon;
  std::shared_ptr<const RgbaPicture> picture;  // only when Ready
};

// The words a placeholder shows instead of the icon: "no phone", "no binary", "not found",
// "bad picture", "too large", "loading"; empty for Ready and NoIcon.
std::string_view PlaceholderText(IconStatus status);

// Pictures of files on the phone, by phone path ("/a/mobile/picture/x.gif").
class PhoneIconSource {
 public:
  virtual ~PhoneIconSource() = default;
  // A drawing begins: a source that fetches may drop what the last one asked for.
  virtual void BeginDrawing() {}
  virtual IconLookup Find(std::u16string_view phonePath) = 0;
};

// A local folder laid out as the phone's volumes ("DIR/a/mobile/picture/x.gif"). A path that
// would lead out of the folder, by ".." or by a link, is not found. Pictures are decoded once and
// kept.
class IconFolder : public PhoneIconSource {
 public:
  explicit IconFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  IconLookup Find(std::u16string_view phonePath) override;

 private:
  std::filesystem::path folder_;
  std::map<std::u16string, IconLookup, std::less<>> found_;
};

// The icons of one DRM binary by number, decoded once and kept.
class DrmIcons {
 public:
  explicit DrmIcons(const DrmBinary* binary = nullptr) : binary_(binary) {}
  // Forgets what was decoded from the binary before.
  void SetBinary(const DrmBinary* binary);
  IconLookup Find(std::uint16_t number);

 private:
  const DrmBinary* binary_ = nullptr;
  std::map<std::uint16_t, IconLookup> found_;
};

// Either source may be missing: no phone, no binary.
struct IconSources {
  PhoneIconSource* phone = nullptr;
  DrmIcons* drm = nullptr;
};

IconLookup LookUpIcon(const IconReference& icon, const IconSources& sources);

}  // namespace menuforge

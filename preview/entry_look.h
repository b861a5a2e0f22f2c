// What an entry shows on the phone's screen: which title, and where its list icon comes from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "menu/menu_tree.h"

namespace menuforge {

inline constexpr char kPhoneOwnTitleMark[] = "(phone's own title)";

enum class TitleSource {
  ChosenLanguage,  // a title in the language asked for
  OtherLanguage,   // the first title the entry has
  PhoneOwn,        // no title of its own: the phone shows the item's name
};

struct EntryTitle {
  std::u16string text;
  TitleSource source = TitleSource::PhoneOwn;
  bool operator==(const EntryTitle&) const = default;
};

// A menu entry's menu title in `languageId`, else its first menu title, else its display name
// marked as the phone's own. A soft key takes its soft key titles first, then its menu titles,
// and its display name without the "LSK: " prefix the tree shows.
EntryTitle TitleOf(const MenuTree& tree, const MenuNode& node, std::uint8_t languageId);
// The title with " (phone's own title)" behind it when it is the phone's own.
std::u16string MarkedTitle(const EntryTitle& title);

enum class IconOrigin { None, PhoneFile, DrmNumber };

struct IconReference {
  IconOrigin origin = IconOrigin::None;
  std::u16string phonePath;
  std::uint16_t drmNumber = 0;
  bool operator==(const IconReference&) const = default;
};

// The entry's list icon: the first list icon chunk, by path or by DRM number. A file icon of a
// kind byte other than static or animated counts as a list icon, as the item editor reads it.
IconReference ListIconOf(const MenuTree& tree, const MenuNode& node);

// An entry the phone opens as a folder: one with entries below it, or one marked a folder.
bool IsFolder(const MenuNode& node);

}  // namespace menuforge

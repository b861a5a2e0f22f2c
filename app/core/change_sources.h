// Which two menus "Show changes" compares before the user decides, and the heading that says so:
// before a phone backup is restored, before unsaved changes are set aside, and before Save to
// phone writes over the phone's menu.
#pragma once

#include <filesystem>
#include <string>

#include "document/current_menu.h"

namespace menuforge {

inline constexpr char kUnsavedChangesTitle[] = "Unsaved changes";
inline constexpr char kRestoreChangesTitle[] = "Changes of the restore";
inline constexpr char kSavePhoneChangesTitle[] = "Save to phone";
inline constexpr char kWritePhoneChangesQuestion[] = "Write these changes to the phone?";
inline constexpr char kPhoneChangesUnreadText[] =
    "Nothing was written to the phone: its menu could not be read to show the changes.\r\n";

// The backup is compared with the phone's menu it would replace; only when no copy of that is
// at hand (the phone holds none, or it could not be read) with the open menu instead.
enum class RestoreBase { PhoneMenu, OpenMenu, Nothing };
RestoreBase ChooseRestoreBase(bool phoneCopyAtHand, bool menuOpen);
// Says which menu the listed changes apply to; for Nothing, why nothing can be listed.
std::string RestoreChangesHeading(RestoreBase base, const std::filesystem::path& backup);

// Unsaved changes count from what the menu was last opened from or saved to: the file on disk,
// the phone's menu as last read or written, or the fresh menu of New.
enum class UnsavedBase { FileOnDisk, PhoneMenu, NewMenu, Nothing };
UnsavedBase ChooseUnsavedBase(const CurrentMenu& menu, bool phoneCopyAtHand);
std::string UnsavedChangesHeading(UnsavedBase base, const CurrentMenu& menu);

// Before Save to phone: the phone's menu, or a note that it holds none yet.
std::string PhoneChangesHeading(bool phoneHoldsMenu);

}  // namespace menuforge

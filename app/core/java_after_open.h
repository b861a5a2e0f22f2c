// What Open from phone does with the J2MEST copies once the menu is loaded: parses them, offers
// to patch wrong CORELET info, and hands the MIDlets on to the item editor.
#pragma once

#include <filesystem>

#include "base/user_messages.h"
#include "editor/core/installed_midlets.h"
#include "java/j2mest_tables.h"
#include "phone/phone_link.h"

namespace menuforge {

inline constexpr char kPatchRequestText[] =
    "J2MEST file(s) seem to contain wrong CORELET info\r\npreventing them from starting from main "
    "menu\r\n      Attempt patching?";
inline constexpr char kPatchRequestCaption[] = "Patch request";

// Parses the copies the phone link read. When the setting "PatchJ2MEST" is on (`patchAllowed`)
// and an entry needs patching, asks; on Yes patches and parses again the copies that changed.
// Returns the MIDlet lists "Select installed:" offers.
InstalledMidlets ReadJ2mestAfterOpen(PhoneLink& link, bool patchAllowed,
                                     const std::filesystem::path& workingFolder,
                                     UserDialogs& dialogs);

// The tables' slots as the item editor takes them: an empty MIDlet for an empty slot.
InstalledMidlets InstalledMidletsOf(const J2mestTables& tables, const J2mestState& state);

}  // namespace menuforge

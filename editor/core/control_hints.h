// What the item editor's controls say when they cannot be used, and the attribute boxes as OK
// will store them.
#pragma once

#include <array>
#include <string_view>

#include "editor/core/editor_controls.h"

namespace menuforge {

inline constexpr char kConnectPhoneToPickText[] = "Connect a phone to pick a file from it";
inline constexpr char kChooseDrmAgainText[] =
    "Click the source DRM again to pick an icon from a DRM binary";
inline constexpr char kNeedsJ2mestReadText[] = "Needs a J2MEST read from the phone";
inline constexpr char kStoredWithFunctionText[] =
    "An entry with a function is stored with attribute 0x60, whatever these boxes say";

// What the "[?]" labels of the Function page explain.
inline constexpr char kActionCodeHint[] =
    "The number of the phone action this entry runs, in decimal (0 to 65535).\r\nThe numbers "
    "belong to the firmware: \"menuforge-cli dump\" shows those of a menu that works.";
inline constexpr char kShortcutDataHint[] =
    "The identifier of the menu item this shortcut opens, as the item list names it (at most "
    "25 characters).\r\nAdding a shortcut item from the item list fills it in.";
inline constexpr char kCodeByteHint[] =
    "One byte (0 to 255) stored with the call or message of this entry; its meaning belongs to "
    "the firmware.\r\n\"menuforge-cli dump\" shows the codes of a menu that works.";

// With a function the boxes show the bits of 0x60 and cannot be changed; otherwise as they are.
std::array<CheckControl, kAttributeBoxCount> ShownAttributeBoxes(const EditorControls& controls,
                                                                 bool storesFunction);
// The boxes' tooltip: why they cannot be changed, or empty.
std::string_view AttributeBoxHint(bool storesFunction);
// Why a row's pick button cannot be used, or empty: a phone file needs a phone; the DRM button,
// off when the window opened without a phone or on a DRM number, comes back when "DRM" is
// chosen again.
std::string_view PickButtonHint(const IconRowControls& row, bool phoneConnected);
// Why the installed MIDlets cannot be chosen, or empty.
std::string_view MidletChoiceHint(const EditorControls& controls, bool phoneJ2mestRead);

}  // namespace menuforge

// What the item editor's controls say when they cannot be used, and the attribute boxes as OK
// will store them.
#pragma once

#include <array>
#include <string_view>

#include "editor/core/editor_controls.h"

namespace menuforge {

inline constexpr char kConnectPhoneToPickText[] = "Connect a phone to pick a file from it";
inline constexpr char kNeedsJ2mestReadText[] = "Needs a J2MEST read from the phone";
inline constexpr char kStoredWithFunctionText[] =
    "An entry with a function is stored with attribute 0x60, whatever these boxes say";

// With a function the boxes show the bits of 0x60 and cannot be changed; otherwise as they are.
std::array<CheckControl, kAttributeBoxCount> ShownAttributeBoxes(const EditorControls& controls,
                                                                 bool storesFunction);
// The boxes' tooltip: why they cannot be changed, or empty.
std::string_view AttributeBoxHint(bool storesFunction);
// Why a row's pick button for a phone file cannot be used, or empty.
std::string_view PickButtonHint(const IconRowControls& row, bool phoneConnected);
// Why the installed MIDlets cannot be chosen, or empty.
std::string_view MidletChoiceHint(const EditorControls& controls, bool phoneJ2mestRead);

}  // namespace menuforge

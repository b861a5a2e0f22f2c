// What a command's tooltip adds while the command is off: why it is off and how to turn it on,
// so that a greyed button does not just repeat its own name.
#pragma once

namespace menuforge {

inline constexpr char kNeedsMenuHint[] = "Off until a menu is open: open one or start a new one";
inline constexpr char kNeedsPhoneToOpenHint[] = "Off until a phone is connected";
inline constexpr char kNeedsPhoneAndMenuHint[] =
    "Off until a phone is connected and a menu is open";
inline constexpr char kNothingToUndoHint[] = "Nothing to undo";
inline constexpr char kNothingToRedoHint[] = "Nothing to redo";

}  // namespace menuforge

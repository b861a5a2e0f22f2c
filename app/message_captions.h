// Captions of the main window's own message boxes.
#pragma once

namespace menuforge {

inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kWarningCaption[] = "Warning";

}  // namespace menuforge

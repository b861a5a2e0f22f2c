// The product's name and version, kept in one place for every window that shows them.
#pragma once

#include <string>

namespace menuforge {

inline constexpr char kProductName[] = "Menuforge";
// The build passes the CMake project's version, so the program, its package and its man pages
// agree.
inline constexpr char kVersion[] = MENUFORGE_VERSION;

// "v.0.5"
inline std::string ShortVersion() { return std::string("v.") + kVersion; }

// "Menuforge v.0.5"
inline std::string WindowTitle() { return std::string(kProductName) + " " + ShortVersion(); }

}  // namespace menuforge

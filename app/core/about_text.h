// What the "About" box says beyond the name and version: the licence and the libraries linked.
#pragma once

#include <string>
#include <vector>

namespace menuforge {

inline constexpr char kLicenceLine[] =
    "Menuforge is free software under the GNU General Public License, version 3 or later "
    "(GPL-3.0-or-later), and comes with ABSOLUTELY NO WARRANTY.";

// A library the program links, as the box lists it: "giflib 5.2.1 (MIT)".
struct LinkedLibrary {
  std::string name;
  std::string version;  // empty when the library does not tell
  std::string licence;
};

// The libraries of the core; the window adds its toolkit.
std::vector<LinkedLibrary> CoreLibraries();
std::string LibraryLine(const LinkedLibrary& library);

}  // namespace menuforge

#include "app/core/about_text.h"

#include <gif_lib.h>
#include <png.h>

namespace menuforge {

std::vector<LinkedLibrary> CoreLibraries() {
  return {
      {"giflib",
       std::to_string(GIFLIB_MAJOR) + "." + std::to_string(GIFLIB_MINOR) + "." +
           std::to_string(GIFLIB_RELEASE),
       "MIT"},
      {"libpng", PNG_LIBPNG_VER_STRING, "libpng licence"},
      {"FreeType", "", "FreeType licence (FTL)"},
      {"SimpleIni", "", "MIT"},
  };
}

std::string LibraryLine(const LinkedLibrary& library) {
  std::string line = library.name;
  if (!library.version.empty()) line += " " + library.version;
  return line + " (" + library.licence + ")";
}

}  // namespace menuforge

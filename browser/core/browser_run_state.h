// What the phone file browser keeps for the whole run, from one opening of its window to the
// next.
#pragma once

#include <filesystem>
#include <string>

#include "browser/core/file_listing.h"

namespace menuforge {

struct BrowserRunState {
  ListMode listMode = ListMode::IconsOnly;
  FileMask mask;
  // The window's result: the chosen file's phone path, empty after a cancel.
  std::u16string pickedPath;
  // Where several files were downloaded last; empty at start.
  std::filesystem::path lastDownloadFolder;
};

}  // namespace menuforge

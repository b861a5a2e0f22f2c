// The phone preview dock between runs: whether it is shown, its width and the choices made in it,
// kept in the settings file's section "preview".
#pragma once

#include <filesystem>

#include "base/result.h"

namespace menuforge {

struct PreviewDockState {
  bool shown = false;
  int width = 0;     // 0: the dock's own choice
  int screen = 0;    // the place of the screen size in the dock's list
  int layout = 0;    // 0 grid, 1 list
  int language = 1;  // the title language's id
  bool operator==(const PreviewDockState&) const = default;
};

// The defaults for a missing file; a value out of range gives the default for that value alone.
PreviewDockState ReadPreviewDockState(const std::filesystem::path& settingsFile);
// Replaces the section "preview" and keeps everything else.
Status WritePreviewDockState(const std::filesystem::path& settingsFile,
                             const PreviewDockState& state);

}  // namespace menuforge

// The main window's size between runs, kept in the settings file's section "window".
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/result.h"

namespace menuforge {

struct WindowSize {
  int width = 0;
  int height = 0;
  bool maximized = false;
  bool operator==(const WindowSize&) const = default;
};

// Nothing when the file holds no size, or one no screen has.
std::optional<WindowSize> ReadWindowSize(const std::filesystem::path& settingsFile);
// Replaces the section "window" and keeps everything else.
Status WriteWindowSize(const std::filesystem::path& settingsFile, const WindowSize& size);

}  // namespace menuforge

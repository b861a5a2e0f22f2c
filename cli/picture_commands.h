// "menuforge-cli drm ..." and "menuforge-cli gif": the icons of DRM binaries, and pictures
// turned into GIF icons the way the icon picker turns raw icons.
#pragma once

#include <span>
#include <string>

#include "cli/command.h"

namespace menuforge::cli {

inline constexpr char kDrmCommandName[] = "drm";
inline constexpr char kDrmCommandSynopsis[] = "FILE list|extract ...";

int RunDrmCommand(std::span<const std::string> arguments);

extern const Command kGifCommand;

}  // namespace menuforge::cli

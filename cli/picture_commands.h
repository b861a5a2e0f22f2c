// "menuforge-cli drm ...", "menuforge-cli gif" and "menuforge-cli preview": the icons of DRM
// binaries, pictures turned into GIF icons the way the icon picker turns raw icons, and a folder
// of a menu drawn as the phone shows it.
#pragma once

#include <span>
#include <string>

#include "cli/command.h"

namespace menuforge::cli {

inline constexpr char kDrmCommandName[] = "drm";
inline constexpr char kDrmCommandSynopsis[] = "FILE list|extract ...";

int RunDrmCommand(std::span<const std::string> arguments);

extern const Command kGifCommand;
extern const Command kPreviewCommand;

}  // namespace menuforge::cli

// Where the help the Help command opens is found: the README installed with the documentation,
// or, for a program run from its build folder, the README of the sources it was built from,
// wherever the build folder lies.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace menuforge {

inline constexpr char kHelpCaption[] = "Help";

// `programFolder` holds the running program: PREFIX/bin when installed, BUILD/bin when built.
std::optional<std::filesystem::path> FindHelpFile(const std::filesystem::path& programFolder);
// What Help says when there is no README to open, or none the desktop would show.
std::string HelpMissingText();

}  // namespace menuforge

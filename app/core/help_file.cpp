#include "app/core/help_file.h"

#include <array>
#include <system_error>

namespace menuforge {

std::optional<std::filesystem::path> FindHelpFile(const std::filesystem::path& programFolder) {
  const std::filesystem::path prefix = programFolder.parent_path();
  const std::array<std::filesystem::path, 2> candidates = {
      prefix / "share" / "doc" / "menuforge" / "README.md",
      // BUILD/bin, with the build folder inside the checkout as the README tells.
      prefix.parent_path() / "README.md",
  };
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return std::nullopt;
}

std::string HelpMissingText() {
  return "The help (README.md) is not installed beside this program, or no program here can "
         "show it.\r\nIn a terminal, \"man menuforge\" describes the program, and "
         "\"menuforge-cli --help\" the command-line tool.";
}

}  // namespace menuforge

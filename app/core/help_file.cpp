#include "app/core/help_file.h"

#include <fstream>
#include <string_view>
#include <system_error>

namespace menuforge {
namespace {

// The build folder's cache names the sources it was configured from, wherever the two lie.
constexpr std::string_view kSourceFolderEntry = "Menuforge_SOURCE_DIR:STATIC=";

std::optional<std::filesystem::path> ConfiguredSourceFolder(const std::filesystem::path& build) {
  std::ifstream cache(build / "CMakeCache.txt");
  std::string line;
  while (std::getline(cache, line)) {
    if (line.starts_with(kSourceFolderEntry))
      return std::filesystem::path(line.substr(kSourceFolderEntry.size()));
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::filesystem::path> FindHelpFile(const std::filesystem::path& programFolder) {
  std::error_code error;
  const std::filesystem::path prefix = programFolder.parent_path();
  const std::filesystem::path installed = prefix / "share" / "doc" / "menuforge" / "README.md";
  if (std::filesystem::is_regular_file(installed, error)) return installed;
  const std::optional<std::filesystem::path> sources = ConfiguredSourceFolder(prefix);
  if (!sources) return std::nullopt;
  const std::filesystem::path readme = *sources / "README.md";
  if (std::filesystem::is_regular_file(readme, error)) return readme;
  return std::nullopt;
}

std::string HelpMissingText() {
  return "The help (README.md) is not installed beside this program, or no program here can "
         "show it.\r\nIn a terminal, \"man menuforge\" describes the program, and "
         "\"menuforge-cli --help\" the command-line tool.";
}

}  // namespace menuforge

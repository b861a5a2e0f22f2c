#include "app/core/help_file.h"

#include <system_error>

namespace menuforge {
namespace {

// How far above the program's folder a checkout is looked for.
constexpr int kBuildFolderDepth = 2;

}  // namespace

std::optional<std::filesystem::path> FindHelpFile(const std::filesystem::path& programFolder) {
  std::error_code error;
  const std::filesystem::path prefix = programFolder.parent_path();
  const std::filesystem::path installed = prefix / "share" / "doc" / "menuforge" / "README.md";
  if (std::filesystem::is_regular_file(installed, error)) return installed;
  // BUILD/bin, or a second build folder inside the first (BUILD/sanitize/bin), with the build
  // folder inside the checkout as the README tells: the checkout has the project's CMakeLists.txt.
  std::filesystem::path folder = prefix;
  for (int up = 0; up < kBuildFolderDepth && folder.has_relative_path(); ++up) {
    folder = folder.parent_path();
    const std::filesystem::path readme = folder / "README.md";
    if (std::filesystem::is_regular_file(readme, error) &&
        std::filesystem::is_regular_file(folder / "CMakeLists.txt", error))
      return readme;
  }
  return std::nullopt;
}

std::string HelpMissingText() {
  return "The help (README.md) is not installed beside this program, or no program here can "
         "show it.\r\nIn a terminal, \"man menuforge\" describes the program, and "
         "\"menuforge-cli --help\" the command-line tool.";
}

}  // namespace menuforge

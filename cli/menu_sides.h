// Menus named as `diff` names them (a file, "phone:", "backup:N"), loaded under "Default" with
// the working folder's item base, which grows in memory alone by the items they name; and the
// merged menu written whole or not at all.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "cli/arguments.h"
#include "menu/format_options.h"
#include "menu/menu_tree.h"

namespace menuforge::cli {

inline constexpr OptionSpec kOutputOption{"-o", true};

struct LoadedSide {
  MenuTree tree;
  FormatOptions options;
};

// Reads the working folder's item base into `catalog` and applies "Default". Throws
// CommandFailure.
void PrepareSideCatalog(Catalog& catalog);

// Throws CommandFailure naming the side.
void LoadSide(const std::string& side, const ParsedArguments& arguments, Catalog& catalog,
              LoadedSide& loaded);

// The -o path. Throws UsageError when it is missing.
std::filesystem::path OutputPath(const ParsedArguments& arguments);

// Admits the items the tree names and the catalogue lacks, then writes the file aside and renames
// it over `path`. Throws CommandFailure; nothing is at `path` then but what was there before.
void WriteMergedMenu(const std::filesystem::path& path, MenuTree& tree,
                     const FormatOptions& options, Catalog& catalog);

// The conflict lines, or their JSON form {"clean": ..., "conflicts": [...]}, on stdout.
void PrintConflicts(const std::vector<std::string>& conflicts, bool json);

}  // namespace menuforge::cli

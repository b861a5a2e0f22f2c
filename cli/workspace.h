// What a command works on: the catalogue of the working folder, the selected profile, the
// menu tree and its format options.
#pragma once

#include <filesystem>
#include <string_view>

#include "catalog/catalog.h"
#include "cli/arguments.h"
#include "cli/cli_dialogs.h"
#include "menu/format_options.h"
#include "menu/menu_tree.h"

namespace menuforge::cli {

inline constexpr OptionSpec kProfileOption{"--profile", true};

void PrintWarning(std::string_view text);

struct Workspace {
  Workspace();

  // Loads (creating when missing) "Profiles/itembase.dat" of the current directory, then
  // selects "Default" or the profile that --profile names. Throws CommandFailure.
  void Prepare(const ParsedArguments& arguments);
  bool profileIsDefault() const { return catalog.SelectorShowsDefault(); }

  // Opens a menu file as the window would: a profile mismatch falls back to the whole item
  // base, unknown items are added to the item base. Throws CommandFailure.
  void Open(const std::filesystem::path& path);
  void Save(const std::filesystem::path& path);

  Catalog catalog;
  CliDialogs dialogs;
  FormatOptions options;
  FormatState state;
  MenuTree tree;
};

}  // namespace menuforge::cli

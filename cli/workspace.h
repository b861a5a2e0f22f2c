// What a command works on: the catalogue of the working folder, the selected profile, the
// menu tree and its format options.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"
#include "cli/arguments.h"
#include "cli/cli_dialogs.h"
#include "menu/format_options.h"
#include "menu/menu_tree.h"
#include "menu/mma_loader.h"

namespace menuforge::cli {

inline constexpr OptionSpec kProfileOption{"--profile", true};

// "item "Foo" is not among the available items"
std::string NotAvailableText(const std::string& identifier);
// At most ten of them, then how many more there were.
void PrintWarnings(const std::vector<std::string>& warnings);

// Only a command that writes a menu changes the working folder, and only once that menu is
// written: until then the item base is read (or taken built in) and grows in memory alone.
struct Workspace {
  Workspace();

  // Reads "Profiles/itembase.dat" of the current directory (the built-in item base when it is
  // missing), then selects "Default" or the profile that --profile names. Throws CommandFailure.
  void Prepare(const ParsedArguments& arguments);
  bool profileIsDefault() const { return catalog.DefaultApplied(); }

  // Loads a menu file against the selected profile. A file with items outside a profile the
  // user chose is refused, its items named, rather than opened under "Default" as the window
  // would. Throws CommandFailure.
  LoadResult Load(const std::filesystem::path& path);
  // Load, then takes the items the file names and the item base lacks into the item base.
  void Open(const std::filesystem::path& path);
  // Writes the menu, then stores the item base: created when missing, extended by Open.
  void Save(const std::filesystem::path& path);

  Catalog catalog;
  CliDialogs dialogs;
  FormatOptions options;
  FormatState state;
  MenuTree tree;

 private:
  bool itemBaseGrown_ = false;
};

}  // namespace menuforge::cli

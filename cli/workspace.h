// What a command works on: the menu document of the window, with the catalogue of the working
// folder and the selected profile.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_dialogs.h"
#include "document/menu_document.h"
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
  bool profileIsDefault() const { return document.catalog().DefaultApplied(); }

  // Loads a menu file against the selected profile. A file with items outside a profile the
  // user chose is refused, its items named, rather than opened under "Default" as the window
  // would. Throws CommandFailure.
  LoadResult Load(const std::filesystem::path& path);
  // Load, then takes the items the file names and the item base lacks into the item base.
  void Open(const std::filesystem::path& path);
  // A menu built by `build` from an empty tree, the available items and the format options it
  // is handed. Throws what `build` throws, leaving the menu as it was.
  void Build(const std::function<void(MenuTree&, const ItemTable&, FormatOptions&)>& build);
  void ChangeOptions(const std::function<void(FormatOptions&)>& change);
  // Writes the menu, then stores the item base: created when missing, extended by Open.
  void Save(const std::filesystem::path& path);

  MenuDocument document;
  CliDialogs dialogs;

 private:
  bool itemBaseGrown_ = false;
};

}  // namespace menuforge::cli

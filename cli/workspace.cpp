#include "cli/workspace.h"

#include <iostream>

#include "catalog/menu_opening.h"
#include "cli/command.h"
#include "menu/mma_saver.h"

namespace menuforge::cli {
namespace {

std::string ProfileNotApplied(const std::string& name) {
  return "profile \"" + name + "\" could not be applied";
}

}  // namespace

void PrintWarning(std::string_view text) { std::cerr << "warning: " << text << '\n'; }

Workspace::Workspace() : catalog(std::filesystem::current_path()), dialogs(std::cerr) {}

void Workspace::Prepare(const ParsedArguments& arguments) {
  const CatalogResult loaded = catalog.LoadItemBase();
  for (const std::string& warning : loaded.warnings) PrintWarning(warning);
  if (!loaded.ok()) throw CommandFailure(loaded.error);

  const std::optional<std::string> profile = arguments.Value(kProfileOption.name);
  if (!profile) {
    catalog.SetSelectorIndex(0);
    return;
  }
  catalog.ListProfiles();
  // A profile that had to fall back to "Default" (missing or faulty file) is not the profile
  // the user asked for.
  if (!catalog.ApplyProfile(*profile, options, dialogs) || catalog.SelectorShowsDefault())
    throw CommandFailure(ProfileNotApplied(*profile));
}

void Workspace::Open(const std::filesystem::path& path) {
  const OpenResult opened = OpenMenuFile(path, tree, catalog, options, state, dialogs);
  for (const std::string& warning : opened.warnings) PrintWarning(warning);
  if (!opened.loaded) throw CommandFailure(opened.error);
}

void Workspace::Save(const std::filesystem::path& path) {
  const SaveResult saved = SaveMenuFile(path, tree, options, catalog.availableItems());
  if (saved.status != SaveStatus::Saved) throw CommandFailure(saved.message.text);
}

}  // namespace menuforge::cli

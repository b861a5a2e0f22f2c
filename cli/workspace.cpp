#include "cli/workspace.h"

#include <algorithm>
#include <iostream>

#include "base/user_messages.h"
#include "catalog/menu_opening.h"
#include "cli/command.h"
#include "menu/mma_saver.h"

namespace menuforge::cli {
namespace {

std::string ProfileNotApplied(const std::string& name) {
  return "profile \"" + name + "\" could not be applied";
}

std::string NoSuchProfile(const std::string& name) {
  return "no profile named " + name + " in " + kProfilesFolder + "/";
}

void PrintWarning(std::string_view text) { std::cerr << "warning: " << text << '\n'; }

// Loads a menu file against the selected profile; a file with items outside a profile the user
// chose is refused, all of them named. Throws CommandFailure.
LoadResult LoadChecked(const std::filesystem::path& path, const Catalog& catalog, MenuTree& tree,
                       FormatOptions& options, FormatState& state) {
  const Result<Bytes> file = ReadMenuFileBytes(path);
  if (!file) throw CommandFailure(file.error().text);
  LoadResult load = ParseMenuFile(*file, {catalog.availableItems(), catalog.DefaultApplied()}, tree,
                                  options, state);
  if (load) PrintWarnings(load->warnings);
  if (load.status() == LoadStatus::Failed) throw CommandFailure(load.error().text);
  if (load.status() == LoadStatus::ProfileMismatch) {
    // The loader stops at the first such item; loaded as under "Default" it names them all.
    MenuTree named;
    FormatOptions namedOptions;
    FormatState namedState;
    const LoadResult all =
        ParseMenuFile(*file, {catalog.availableItems(), true}, named, namedOptions, namedState);
    if (all)
      for (const MissingItem& item : all->missingItems)
        std::cerr << NotAvailableText(item.identifier) << '\n';
    throw CommandFailure(kProfileMismatchOnSaveText);
  }
  return load;
}

}  // namespace

std::string NotAvailableText(const std::string& identifier) {
  return "item " + QuotedForMessage(identifier) + " is not among the available items";
}

void PrintWarnings(const std::vector<std::string>& warnings) {
  for (const std::string& line : ShownWarnings(warnings)) PrintWarning(line);
}

Workspace::Workspace() : document(std::filesystem::current_path()), dialogs(std::cerr) {}

void Workspace::Prepare(const ParsedArguments& arguments) {
  Catalog& catalog = document.catalog();
  const Result<ItemBaseWarnings> loaded = catalog.ReadItemBase();
  if (!loaded) throw CommandFailure(loaded.error().text);
  PrintWarnings(*loaded);

  const std::optional<std::string> profile = arguments.Value(kProfileOption.name);
  if (!profile) {
    catalog.UseDefaultProfile();
    return;
  }
  catalog.ListProfiles();
  const std::vector<std::string>& names = catalog.profileNames();
  if (std::find(names.begin(), names.end(), *profile) == names.end())
    throw CommandFailure(NoSuchProfile(*profile));
  // A faulty profile file falls back to "Default" after saying why.
  bool applied = false;
  document.ApplyProfile([&](Catalog& chosen, FormatOptions& options) {
    applied = chosen.ApplyProfile(*profile, options, dialogs);
  });
  if (!applied || catalog.DefaultApplied()) throw CommandFailure(ProfileNotApplied(*profile));
}

LoadResult Workspace::Load(const std::filesystem::path& path) {
  std::optional<LoadResult> load;
  document.TakeIn(
      [&](MenuTree& tree, Catalog& catalog, FormatOptions& options, FormatState& state) {
        load = LoadChecked(path, catalog, tree, options, state);
        return true;
      },
      CurrentMenu(CurrentMenu::Source::File, path));
  return std::move(*load);
}

void Workspace::Open(const std::filesystem::path& path) {
  std::vector<std::string> warnings;
  document.TakeIn(
      [&](MenuTree& tree, Catalog& catalog, FormatOptions& options, FormatState& state) {
        const LoadResult load = LoadChecked(path, catalog, tree, options, state);
        if (load->missingItems.empty()) return true;
        itemBaseGrown_ =
            AdmitMissingItems(load->missingItems, tree, catalog, warnings) || itemBaseGrown_;
        catalog.MakeWholeBaseAvailable();
        return true;
      },
      CurrentMenu(CurrentMenu::Source::File, path));
  PrintWarnings(warnings);
}

void Workspace::Build(
    const std::function<void(MenuTree&, const ItemTable&, FormatOptions&)>& build) {
  document.TakeIn(
      [&](MenuTree& tree, Catalog& catalog, FormatOptions& options, FormatState&) {
        build(tree, catalog.availableItems(), options);
        return true;
      },
      CurrentMenu(CurrentMenu::Source::New));
}

void Workspace::ChangeOptions(const std::function<void(FormatOptions&)>& change) {
  FormatOptions options = document.options();
  change(options);
  document.SetOptions(options);
}

void Workspace::Save(const std::filesystem::path& path) {
  // The refusal says what the loader says of a mismatch; the window lists the items instead.
  const SaveResult saved = document.WriteCopy(path);
  if (!saved) throw CommandFailure(saved.error().text);
  if (const Status stored = document.catalog().StoreAdmittedItems(); !stored)
    throw CommandFailure(stored.error().text);
  if (itemBaseGrown_)
    dialogs.Show({kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information});
}

}  // namespace menuforge::cli

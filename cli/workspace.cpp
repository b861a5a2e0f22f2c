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

}  // namespace

std::string NotAvailableText(const std::string& identifier) {
  return "item " + QuotedForMessage(identifier) + " is not among the available items";
}

void PrintWarnings(const std::vector<std::string>& warnings) {
  for (const std::string& line : ShownWarnings(warnings)) PrintWarning(line);
}

Workspace::Workspace() : catalog(std::filesystem::current_path()), dialogs(std::cerr) {}

void Workspace::Prepare(const ParsedArguments& arguments) {
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
  if (!catalog.ApplyProfile(*profile, options, dialogs) || catalog.DefaultApplied())
    throw CommandFailure(ProfileNotApplied(*profile));
}

LoadResult Workspace::Load(const std::filesystem::path& path) {
  const Result<Bytes> file = ReadMenuFileBytes(path);
  if (!file) throw CommandFailure(file.error().text);
  LoadResult load =
      ParseMenuFile(*file, {catalog.availableItems(), profileIsDefault()}, tree, options, state);
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

void Workspace::Open(const std::filesystem::path& path) {
  const LoadResult load = Load(path);
  if (load->missingItems.empty()) return;
  std::vector<std::string> warnings;
  itemBaseGrown_ = AdmitMissingItems(load->missingItems, tree, catalog, warnings) || itemBaseGrown_;
  catalog.MakeWholeBaseAvailable();
  PrintWarnings(warnings);
}

void Workspace::Save(const std::filesystem::path& path) {
  const SaveResult saved = SaveMenuFile(path, tree, options, catalog.availableItems());
  if (!saved) throw CommandFailure(saved.error().text);
  if (const Status stored = catalog.StoreAdmittedItems(); !stored)
    throw CommandFailure(stored.error().text);
  if (itemBaseGrown_)
    dialogs.Show({kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information});
}

}  // namespace menuforge::cli

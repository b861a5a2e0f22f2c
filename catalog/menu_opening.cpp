#include "catalog/menu_opening.h"

#include "catalog/item_base_file.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"

namespace menuforge {
namespace {

LoadResult LoadOnce(const std::filesystem::path& path, MenuTree& tree, const Catalog& catalog,
                    bool profileIsDefault, FormatOptions& options, FormatState& state) {
  EmptyTree(tree);
  return LoadMenuFile(path, {catalog.availableItems(), profileIsDefault}, tree, options, state);
}

OpenResult Finish(const LoadResult& load) {
  OpenResult result;
  result.loaded = load.status == LoadStatus::Loaded;
  result.error = load.error;
  result.warnings = load.warnings;
  return result;
}

}  // namespace

OpenResult OpenMenuFile(const std::filesystem::path& path, MenuTree& tree, Catalog& catalog,
                        FormatOptions& options, FormatState& state, UserDialogs& dialogs) {
  bool defaultAtLoad = catalog.SelectorShowsDefault();
  LoadResult load = LoadOnce(path, tree, catalog, defaultAtLoad, options, state);

  if (load.status == LoadStatus::ProfileMismatch) {
    dialogs.Show({kProfileMismatchOnLoadText, kProfileErrorCaption, MessageIcon::Warning});
    defaultAtLoad = true;
    catalog.MakeWholeBaseAvailable();
    catalog.SetSelectorIndex(0);
    load = LoadOnce(path, tree, catalog, defaultAtLoad, options, state);
  }
  if (load.status != LoadStatus::Loaded || load.missingItems.empty()) return Finish(load);

  std::vector<std::string> unstorable;
  for (const MissingItem& item : load.missingItems) {
    // Such a name stays unknown: the entry loads without a display name and saving refuses it.
    if (!AppendableIdentifier(item.identifier)) {
      unstorable.push_back(UnstorableIdentifierError(item.identifier));
      continue;
    }
    const CatalogResult appended = catalog.AppendItemBaseEntry(item.identifier, item.isShortcut);
    if (!appended.ok()) {
      EmptyTree(tree);
      return {false, appended.error, {}};
    }
  }
  const CatalogResult reloaded = catalog.ReloadItemBase();
  if (!reloaded.ok()) {
    EmptyTree(tree);
    return {false, reloaded.error, {}};
  }
  if (unstorable.size() == load.missingItems.size()) {
    load.warnings.insert(load.warnings.end(), unstorable.begin(), unstorable.end());
    return Finish(load);
  }
  load = LoadOnce(path, tree, catalog, true, options, state);
  if (load.status == LoadStatus::Loaded)
    dialogs.Show({kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information});
  load.warnings.insert(load.warnings.end(), unstorable.begin(), unstorable.end());
  return Finish(load);
}

}  // namespace menuforge

#include "catalog/menu_opening.h"

#include <set>

#include "catalog/item_base_file.h"
#include "menu/tree_operations.h"

namespace menuforge {
namespace {

OpenResult Finish(const LoadResult& load) {
  OpenResult result;
  result.loaded = load.status == LoadStatus::Loaded;
  result.error = load.error;
  result.warnings = load.warnings;
  return result;
}

// The loader left the nodes of items it did not know without a display text.
void NameAddedItems(MenuTree& tree, const std::set<std::string>& added,
                    const ItemTable& availableItems) {
  std::size_t position = 0;
  tree.ForEach([&](MenuNode& node) {
    const std::size_t at = position++;
    if (at == kSoftkeysPosition || at == kMenuRootPosition) return;
    if (added.count(node.record.itemName))
      node.displayText = DisplayTextFor(at, node.record.itemName, availableItems);
  });
}

}  // namespace

OpenResult OpenMenuFile(const std::filesystem::path& path, MenuTree& tree, Catalog& catalog,
                        FormatOptions& options, FormatState& state, UserDialogs& dialogs) {
  EmptyTree(tree);
  Bytes file;
  if (std::string error = ReadMenuFileBytes(path, file); !error.empty())
    return {false, std::move(error), {}};

  LoadResult load = ParseMenuFile(file, {catalog.availableItems(), catalog.SelectorShowsDefault()},
                                  tree, options, state);
  if (load.status == LoadStatus::ProfileMismatch) {
    dialogs.Show({kProfileMismatchOnLoadText, kProfileErrorCaption, MessageIcon::Warning});
    catalog.MakeWholeBaseAvailable();
    catalog.SetSelectorIndex(0);
    load = ParseMenuFile(file, {catalog.availableItems(), true}, tree, options, state);
  }
  if (load.status != LoadStatus::Loaded || load.missingItems.empty()) return Finish(load);

  std::set<std::string> added;
  for (const MissingItem& item : load.missingItems) {
    // Such a name stays unknown: the entry loads without a display name and saving refuses it.
    if (!AppendableIdentifier(item.identifier)) {
      load.warnings.push_back(UnstorableIdentifierError(item.identifier));
      continue;
    }
    const CatalogResult grown = catalog.GrowItemBase(item.identifier, item.isShortcut);
    if (!grown.ok()) {
      EmptyTree(tree);
      return {false, grown.error, {}};
    }
    added.insert(item.identifier);
  }
  catalog.MakeWholeBaseAvailable();
  catalog.SetSelectorIndex(0);
  if (!added.empty()) {
    NameAddedItems(tree, added, catalog.availableItems());
    dialogs.Show({kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information});
  }
  return Finish(load);
}

}  // namespace menuforge

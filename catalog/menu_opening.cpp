#include "catalog/menu_opening.h"

#include <set>

#include "catalog/item_base_file.h"
#include "menu/tree_operations.h"

namespace menuforge {
namespace {

// The loader left the nodes of items it did not know without a display text.
void NameAddedItems(MenuTree& tree, const std::set<std::string>& added,
                    const ItemTable& availableItems) {
  std::size_t position = 0;
  tree.ForEach([&](MenuNode& node) {
    const std::size_t at = position++;
    if (at == kSoftkeysPosition || at == kMenuRootPosition) return;
    if (added.count(node.record().itemName))
      tree.SetDisplayText(node, DisplayTextFor(at, node.record().itemName, availableItems));
  });
}

std::string ItemBaseFullWarning(std::size_t left) {
  return "The item base is full (" + std::to_string(kMaxItemBaseEntries) +
         " items): " + std::to_string(left) +
         " item(s) of this menu were not added to itembase.dat";
}

}  // namespace

bool AdmitMissingItems(const std::vector<MissingItem>& missing, MenuTree& tree, Catalog& catalog,
                       std::vector<std::string>& warnings) {
  std::set<std::string> added;
  std::set<std::string> left;
  for (const MissingItem& item : missing) {
    switch (catalog.AdmitItem(item.identifier, item.isShortcut)) {
      case Catalog::Admission::Added: added.insert(item.identifier); break;
      case Catalog::Admission::Known: break;
      case Catalog::Admission::Full: left.insert(item.identifier); break;
      // Such a name stays unknown: the entry loads without a display name and saving refuses it.
      case Catalog::Admission::Unstorable:
        warnings.push_back(UnstorableIdentifierError(item.identifier));
        break;
    }
  }
  if (!left.empty()) warnings.push_back(ItemBaseFullWarning(left.size()));
  if (!added.empty()) NameAddedItems(tree, added, catalog.itemBase());
  return !added.empty();
}

OpenResult OpenMenuFile(const std::filesystem::path& path, MenuTree& tree, Catalog& catalog,
                        FormatOptions& options, FormatState& state) {
  OpenResult result;
  EmptyTree(tree);
  const Result<Bytes> file = ReadMenuFileBytes(path);
  if (!file) {
    result.status = Failure(file.error().text);
    return result;
  }

  LoadResult load = ParseMenuFile(*file, {catalog.availableItems(), catalog.DefaultApplied()}, tree,
                                  options, state);
  if (load.status() == LoadStatus::ProfileMismatch) {
    result.notices.push_back(load.error());
    catalog.MakeWholeBaseAvailable();
    catalog.UseDefaultProfile();
    load = ParseMenuFile(*file, {catalog.availableItems(), true}, tree, options, state);
  }
  if (!load) {
    result.status = Failure(load.error());
    return result;
  }
  result.warnings = load->warnings;
  if (load->missingItems.empty()) return result;

  const bool added = AdmitMissingItems(load->missingItems, tree, catalog, result.warnings);
  if (added) {
    if (const Status stored = catalog.StoreAdmittedItems(); !stored) {
      EmptyTree(tree);
      result.status = stored;
      result.warnings.clear();
      return result;
    }
  }
  catalog.MakeWholeBaseAvailable();
  catalog.UseDefaultProfile();
  // Read-only, the items serve this run alone; the file was not updated.
  if (added && !catalog.readOnly())
    result.notices.push_back({kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information});
  return result;
}

}  // namespace menuforge

// Opening a menu file against the selected profile: the mismatch fallback to the whole item
// base, and the item base update when the file names items it does not know yet.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "menu/mma_loader.h"

namespace menuforge {

inline constexpr char kItemBaseUpdatedText[] = "Item base has been updated";
inline constexpr char kProfileInfoCaption[] = "Profile info";

// What opening a menu file tells the user, in this order: the notices given on the way whatever
// came of it (the fallback to "Default", the item base update), then why nothing was loaded or
// the warnings of the loaded menu.
struct OpenResult {
  std::vector<Message> notices;
  Status status;
  std::vector<std::string> warnings;  // damaged data that was cut or dropped
  bool loaded() const { return status.ok(); }
};

// Takes the items a "Default" load found missing into the item base in memory and names their
// nodes; names the base cannot take add a warning. True when any was added, for the caller to
// store (Catalog::StoreAdmittedItems) when it may write.
bool AdmitMissingItems(const std::vector<MissingItem>& missing, MenuTree& tree, Catalog& catalog,
                       std::vector<std::string>& warnings);

// Empties the tree and loads the file; the caller shows what the result says.
[[nodiscard]] OpenResult OpenMenuFile(const std::filesystem::path& path, MenuTree& tree,
                                      Catalog& catalog, FormatOptions& options, FormatState& state);

}  // namespace menuforge

// Opening a menu file against the selected profile: the mismatch fallback to the whole item
// base, and the item base update when the file names items it does not know yet.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "menu/mma_loader.h"

namespace menuforge {

inline constexpr char kProfileMismatchOnLoadText[] =
    "Selected profile doesn't match mma_ucp\r\n    Default profile will be applied";
inline constexpr char kItemBaseUpdatedText[] = "Item base has been updated";
inline constexpr char kProfileInfoCaption[] = "Profile info";

struct OpenResult {
  bool loaded = false;
  std::string error;                  // why nothing was loaded
  std::vector<std::string> warnings;  // damaged data that was cut or dropped
};

// Takes the items a "Default" load found missing into the item base in memory and names their
// nodes; names the base cannot take add a warning. True when any was added, for the caller to
// store (Catalog::StoreAdmittedItems) when it may write.
bool AdmitMissingItems(const std::vector<MissingItem>& missing, MenuTree& tree, Catalog& catalog,
                       std::vector<std::string>& warnings);

// Empties the tree and loads the file. Shows the mismatch and update messages through
// `dialogs`; the error of a failed load is returned for the caller to show.
[[nodiscard]] OpenResult OpenMenuFile(const std::filesystem::path& path, MenuTree& tree,
                                      Catalog& catalog, FormatOptions& options, FormatState& state,
                                      UserDialogs& dialogs);

}  // namespace menuforge

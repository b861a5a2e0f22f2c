// Reading an mma_ucp file into the menu tree.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "menu/format_options.h"
#include "menu/item_table.h"
#include "menu/menu_tree.h"

namespace menuforge {

enum class LoadStatus {
  Loaded,
  // An item outside the available items while the profile is not "Default"; nothing is loaded.
  ProfileMismatch,
  Failed,
};

struct MissingItem {
  std::string identifier;
  bool isShortcut = false;  // the record's type was 9
  bool operator==(const MissingItem&) const = default;
};

struct LoadResult {
  LoadStatus status = LoadStatus::Loaded;
  std::string error;                  // why a load failed, as the user reads it
  std::vector<std::string> warnings;  // data that was damaged and cut or dropped; only when loaded
  // Items outside the available items of the "Default" profile, in file order, one per
  // occurrence; the caller appends them to the item base.
  std::vector<MissingItem> missingItems;
};

struct LoadContext {
  const ItemTable& availableItems;
  bool profileIsDefault = true;
};

// Builds the tree (which must be empty) from the file's bytes and sets the controls the file
// decides: save mode, "c698p mma_ucp fix" and "Custom icon attribute". On anything but Loaded
// the tree is left empty.
[[nodiscard]] LoadResult ParseMenuFile(ByteView file, const LoadContext& context, MenuTree& tree,
                                       FormatOptions& options, FormatState& state);

// Reads as much of a file as a menu file's records and data can reach. Returns the error text,
// or empty.
[[nodiscard]] std::string ReadMenuFileBytes(const std::filesystem::path& path, Bytes& bytes);

// ReadMenuFileBytes, then ParseMenuFile.
[[nodiscard]] LoadResult LoadMenuFile(const std::filesystem::path& path, const LoadContext& context,
                                      MenuTree& tree, FormatOptions& options, FormatState& state);

}  // namespace menuforge

// Reading an mma_ucp file into the menu tree.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
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

// What a profile mismatch tells the user before the file is read again under "Default".
inline constexpr char kProfileMismatchOnLoadText[] =
    "Selected profile doesn't match mma_ucp\r\n    Default profile will be applied";

struct MissingItem {
  std::string identifier;
  bool isShortcut = false;  // the record's type was 9
  bool operator==(const MissingItem&) const = default;
};

// Bytes of the file that the loaded menu does not hold: what would be lost by saving it.
struct DroppedData {
  // The key of the entry as loaded; kUnreadRecordsKey for records that belong to no folder.
  std::uint8_t recordKey = 0;
  Bytes bytes;  // as the file holds them, in file order
  bool operator==(const DroppedData&) const = default;
};

// No entry has key 0: record keys count from 1.
inline constexpr std::uint8_t kUnreadRecordsKey = 0;

// What a load found besides the menu.
struct LoadFindings {
  std::vector<std::string> warnings;  // data that was damaged and cut or dropped
  std::vector<DroppedData> dropped;   // one per entry, the unread records first
  // Items outside the available items of the "Default" profile, in file order, one per
  // occurrence; the caller appends them to the item base.
  std::vector<MissingItem> missingItems;
};

// The findings of a loaded menu, or why nothing was loaded as the user reads it; a profile
// mismatch fails with kProfileMismatchOnLoadText.
class [[nodiscard]] LoadResult : public Result<LoadFindings> {
 public:
  LoadResult(LoadFindings findings) : Result(std::move(findings)) {}
  LoadResult(Failure failure, LoadStatus status = LoadStatus::Failed)
      : Result(std::move(failure)), status_(status) {}

  LoadStatus status() const { return status_; }

 private:
  LoadStatus status_ = LoadStatus::Loaded;
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

// Reads as much of a file as a menu file's records and data can reach.
[[nodiscard]] Result<Bytes> ReadMenuFileBytes(const std::filesystem::path& path);

// ReadMenuFileBytes, then ParseMenuFile.
[[nodiscard]] LoadResult LoadMenuFile(const std::filesystem::path& path, const LoadContext& context,
                                      MenuTree& tree, FormatOptions& options, FormatState& state);

}  // namespace menuforge

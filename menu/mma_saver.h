// Writing the menu tree as an mma_ucp file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/text_encoding.h"
#include "base/user_messages.h"
#include "menu/format_options.h"
#include "menu/item_table.h"
#include "menu/menu_tree.h"

namespace menuforge {

inline constexpr char kProfileMismatchOnSaveText[] = "mma_ucp doesn't match current profile";

enum class SaveStatus {
  Saved,
  // An item outside the available items; the message is "mma_ucp doesn't match current profile".
  Refused,
  Failed,
};

// Saved, or what to show the user when not.
class [[nodiscard]] SaveResult : public Status {
 public:
  SaveResult() = default;
  SaveResult(Failure failure, SaveStatus status = SaveStatus::Failed)
      : Status(std::move(failure)), status_(status) {}

  SaveStatus status() const { return status_; }
  bool refused() const { return status_ == SaveStatus::Refused; }

 private:
  SaveStatus status_ = SaveStatus::Saved;
};

// The names of the items outside `availableItems` that a save would refuse, each once, in the
// order the file would hold them.
std::vector<std::string> ItemsOutsideTable(const MenuTree& tree, const ItemTable& availableItems);

// Builds the file's bytes. Applies the saver's type fix-ups and stores every node's new data
// length in the tree, but only once the whole tree has been found writable.
[[nodiscard]] SaveResult EncodeMenuFile(MenuTree& tree, const FormatOptions& options,
                                        const ItemTable& availableItems, Bytes& out);

// Encodes, then replaces the file at `path` only when everything could be written.
[[nodiscard]] SaveResult SaveMenuFile(const std::filesystem::path& path, MenuTree& tree,
                                      const FormatOptions& options,
                                      const ItemTable& availableItems);

}  // namespace menuforge

// Any bytes through the loader; whatever loads must save and load again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "support/loaded_menus.h"

namespace {

using namespace menuforge;

const ItemTable& KnownItems() {
  static const ItemTable items = WithDefaultSoftkeys({
      {"Calculator", "Calculator", true},
      {"WebAccess", "Web Access", true},
      {"QuickNote", "Quick note [SC]", true},
  });
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteView file(data, size);
  const bool profileIsDefault = size == 0 || data[0] % 2 == 0;

  MenuTree tree;
  FormatOptions options;
  FormatState state;
  const LoadResult loaded =
      ParseMenuFile(file, {KnownItems(), profileIsDefault}, tree, options, state);
  if (loaded.status() != LoadStatus::Loaded) {
    if (!tree.empty()) __builtin_trap();
    if (loaded.status() == LoadStatus::Failed && loaded.errorText().empty()) __builtin_trap();
    return 0;
  }

  const ItemTable items = test::WithMissingItems(KnownItems(), loaded->missingItems);
  options.saveAllData = size > 0 && (data[0] & 2) != 0;
  Bytes saved;
  if (EncodeMenuFile(tree, options, items, saved).status() != SaveStatus::Saved) return 0;

  MenuTree again;
  FormatOptions againOptions;
  FormatState againState;
  if (ParseMenuFile(saved, {items, false}, again, againOptions, againState).status() !=
      LoadStatus::Loaded)
    __builtin_trap();
  return 0;
}

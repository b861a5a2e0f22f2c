#include "app/core/other_menu.h"

#include "menu/mma_loader.h"
#include "menu/tree_operations.h"

namespace menuforge {

Result<LoadedOtherMenu> LoadOtherMenu(ByteView bytes, const ItemTable& items) {
  auto menu = std::make_unique<OtherMenu>();
  FormatState state;
  LoadResult result = ParseMenuFile(bytes, {items, true}, menu->tree, menu->options, state);
  if (!result) return Failure(result.error().text);
  return LoadedOtherMenu{std::move(menu), std::move(result->warnings)};
}

Result<LoadedOtherMenu> LoadOtherMenuFile(const std::filesystem::path& path,
                                          const ItemTable& items) {
  const Result<Bytes> bytes = ReadMenuFileBytes(path);
  if (!bytes) return Failure(bytes.error().text);
  return LoadOtherMenu(*bytes, items);
}

std::unique_ptr<OtherMenu> NewOtherMenu(const FormatOptions& options) {
  auto menu = std::make_unique<OtherMenu>();
  BuildSkeleton(menu->tree);
  menu->options = options;
  return menu;
}

}  // namespace menuforge

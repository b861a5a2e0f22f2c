#include "app/core/other_menu.h"

#include "menu/mma_loader.h"
#include "menu/tree_operations.h"

namespace menuforge {

OtherMenuLoad LoadOtherMenu(ByteView bytes, const ItemTable& items) {
  OtherMenuLoad load;
  auto menu = std::make_unique<OtherMenu>();
  FormatState state;
  LoadResult result = ParseMenuFile(bytes, {items, true}, menu->tree, menu->options, state);
  if (!result) {
    load.error = result.error().text;
    return load;
  }
  load.warnings = std::move(result->warnings);
  load.menu = std::move(menu);
  return load;
}

OtherMenuLoad LoadOtherMenuFile(const std::filesystem::path& path, const ItemTable& items) {
  const Result<Bytes> bytes = ReadMenuFileBytes(path);
  if (!bytes) {
    OtherMenuLoad failed;
    failed.error = bytes.error().text;
    return failed;
  }
  return LoadOtherMenu(*bytes, items);
}

std::unique_ptr<OtherMenu> NewOtherMenu(const FormatOptions& options) {
  auto menu = std::make_unique<OtherMenu>();
  BuildSkeleton(menu->tree);
  menu->options = options;
  return menu;
}

}  // namespace menuforge

#include "app/core/other_menu.h"

#include "menu/mma_loader.h"
#include "menu/tree_operations.h"

namespace menuforge {

OtherMenuLoad LoadOtherMenu(ByteView bytes, const ItemTable& items) {
  OtherMenuLoad load;
  auto menu = std::make_unique<OtherMenu>();
  FormatState state;
  LoadResult result = ParseMenuFile(bytes, {items, true}, menu->tree, menu->options, state);
  if (result.status != LoadStatus::Loaded) {
    load.error = std::move(result.error);
    return load;
  }
  load.warnings = std::move(result.warnings);
  load.menu = std::move(menu);
  return load;
}

OtherMenuLoad LoadOtherMenuFile(const std::filesystem::path& path, const ItemTable& items) {
  Bytes bytes;
  if (std::string error = ReadMenuFileBytes(path, bytes); !error.empty()) {
    OtherMenuLoad failed;
    failed.error = std::move(error);
    return failed;
  }
  return LoadOtherMenu(bytes, items);
}

std::unique_ptr<OtherMenu> NewOtherMenu(const FormatOptions& options) {
  auto menu = std::make_unique<OtherMenu>();
  BuildSkeleton(menu->tree);
  menu->options = options;
  return menu;
}

}  // namespace menuforge

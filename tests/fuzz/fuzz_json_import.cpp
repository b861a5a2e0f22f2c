// Any bytes as a JSON menu to import: whatever passes the checks must save, load again, and come
// back from its own export as the same file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "menu/mma_loader.h"
#include "menu/mma_saver.h"
#include "menu/tree_operations.h"
#include "menu_json/json_menu.h"
#include "menu_json/json_text.h"

namespace {

using namespace menuforge;
using namespace menuforge::cli;

// The items of the seeds: the sample menu's and the random menus'.
const ItemTable& KnownItems() {
  static const ItemTable items = WithDefaultSoftkeys({
      {"Browser", "Browser", true},
      {"Games", "Games", true},
      {"Calculator", "Calculator", true},
      {"Camera", "Camera", true},
      {"Settings", "Settings", true},
      {"DialedCalls", "DialedCalls [SC]", true},
      {"Tools", "Tools", true},
      {"WebAccess", "Web Access", true},
      {"MyMediaFiles", "MyMediaFiles", true},
      {"QuickNote", "Quick note [SC]", true},
      {"FlipClock", "Clock [SC]", true},
  });
  return items;
}

// Nothing but the JSON's own faults may stop it; those leave no tree behind.
bool Import(const Json& json, MenuTree& tree, FormatOptions& options) {
  try {
    options = MenuFromJson(json, {KnownItems(), std::nullopt}, tree);
    return true;
  } catch (const JsonMenuError&) {
    if (!tree.empty()) __builtin_trap();
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Json json;
  try {
    json = ParseJsonText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.json");
  } catch (const JsonMenuError&) {
    return 0;
  }
  MenuTree tree;
  FormatOptions options;
  if (!Import(json, tree, options)) return 0;
  Bytes saved;
  if (EncodeMenuFile(tree, options, KnownItems(), saved).status() != SaveStatus::Saved) return 0;

  MenuTree loaded;
  FormatOptions loadedOptions;
  FormatState state;
  if (ParseMenuFile(saved, {KnownItems(), false}, loaded, loadedOptions, state).status() !=
      LoadStatus::Loaded)
    __builtin_trap();
  loadedOptions.saveAllData = options.saveAllData;
  loadedOptions.iconAttribute = options.iconAttribute;

  MenuTree again;
  FormatOptions againOptions;
  // As a user would pass it on: as text.
  const std::string exported = MenuToJson(loaded, loadedOptions).dump();
  if (!Import(ParseJsonText(exported, "export.json"), again, againOptions)) __builtin_trap();
  Bytes resaved;
  if (EncodeMenuFile(again, againOptions, KnownItems(), resaved).status() != SaveStatus::Saved ||
      resaved != saved)
    __builtin_trap();
  return 0;
}

// The menu as JSON, for reading by people and scripts and for writing back:
// {"format":{...},"softkeys":[7 nodes],"menu":[nodes]}.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "menu/format_options.h"
#include "menu/item_table.h"
#include "menu/menu_tree.h"

namespace menuforge::cli {

using Json = nlohmann::ordered_json;

Json MenuToJson(const MenuTree& tree, const FormatOptions& options);
// One data chunk as the JSON menu holds it; ChunkFromJson reads it back.
Json ChunkToJson(const ChunkSlot& slot);

// The first fault found in a JSON menu, with the place it was found at ("menu[2].data[0]: ...").
class JsonMenuError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The items a JSON menu may name, and the profile they come from (none: the whole item base).
struct JsonMenuItems {
  const ItemTable& available;
  std::optional<std::string> profile;
};

// Builds the tree (which must be empty) with keys, links and item data as a load would leave
// them, and returns the format the JSON names. Throws JsonMenuError, naming the first item
// outside the available items; the tree is then emptied.
FormatOptions MenuFromJson(const Json& json, const JsonMenuItems& items, MenuTree& tree);

}  // namespace menuforge::cli

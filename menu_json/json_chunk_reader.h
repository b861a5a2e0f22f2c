// One data chunk of the JSON menu, checked against everything the file format can hold.
#pragma once

#include "menu/item_data.h"
#include "menu_json/json_field.h"

namespace menuforge::cli {

ChunkSlot ChunkFromJson(const JsonField& chunk);

}  // namespace menuforge::cli

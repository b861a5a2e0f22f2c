// One data chunk of the JSON menu, checked against everything the file format can hold.
#pragma once

#include "cli/json_field.h"
#include "menu/item_data.h"

namespace menuforge::cli {

ChunkSlot ChunkFromJson(const JsonField& chunk);

}  // namespace menuforge::cli

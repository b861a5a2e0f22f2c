// Reading JSON text from a file, with faults told in plain words and nesting kept within what
// a menu can need before the parser descends into it.
#pragma once

#include <string>
#include <string_view>

#include "menu_json/json_menu.h"

namespace menuforge::cli {

// Throws JsonMenuError("FILE: not valid JSON: line L, column C: why").
Json ParseJsonText(std::string_view text, const std::string& file);

}  // namespace menuforge::cli

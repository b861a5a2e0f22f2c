// The lines the main window shows beside the tree for the selected node.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "menu/menu_tree.h"

namespace menuforge {

inline constexpr char kSummaryHeading[] = "Item summary:";
inline constexpr char kSummaryNotModified[] = "[Not modified]";

// Nothing for "Softkeys" and "Menu Root", whose summary is hidden.
std::optional<std::vector<std::string>> ItemSummary(const MenuTree& tree, const MenuNode& node);

}  // namespace menuforge

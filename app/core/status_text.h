// The texts of the main window's status bar.
#pragma once

#include <string>

#include "menu/format_options.h"
#include "menu/menu_tree.h"

namespace menuforge {

inline constexpr char kNoPhoneStatus[] = "Phone: None";

// "Format: 36-byte  Entries: 40": the record size of the last file loaded (0 before any) and the
// number of main menu entries.
std::string FormatStatusText(const FormatState& state, const MenuTree& tree);
// The widest of them: the larger record size and a full main menu.
std::string WidestFormatStatusText();

}  // namespace menuforge

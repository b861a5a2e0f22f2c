// Whether a menu built by other means than the editor's own steps still fits an mma_ucp file,
// told with the limit it passes and the entries that pass it.
#pragma once

#include "base/result.h"
#include "menu/menu_tree.h"

namespace menuforge {

// The entries beyond the 245th, the entries whose data lie beyond 65535 bytes in the file's
// order, and the entries of more than 11 chunks (or more than 11 unknown chunks, or more than 28
// titles in one list), each limit named before its entries.
Status CheckFormatLimits(const MenuTree& tree, bool saveAllData);

}  // namespace menuforge

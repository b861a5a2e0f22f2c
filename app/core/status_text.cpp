#include "app/core/status_text.h"

namespace menuforge {

std::string FormatStatusText(const FormatState& state, const MenuTree& tree) {
  return "Format: " + std::to_string(state.recordSize) +
         "-byte  Entries: " + std::to_string(tree.EntryCount());
}

}  // namespace menuforge

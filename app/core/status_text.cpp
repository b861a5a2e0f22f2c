#include "app/core/status_text.h"

namespace menuforge {
namespace {

std::string StatusText(int recordSize, std::size_t entries) {
  return "Format: " + std::to_string(recordSize) + "-byte  Entries: " + std::to_string(entries);
}

}  // namespace

std::string FormatStatusText(const FormatState& state, const MenuTree& tree) {
  return StatusText(state.recordSize, tree.EntryCount());
}

std::string WidestFormatStatusText() {
  return StatusText(RecordBytes(RecordSize::k36), kMaxMenuEntries);
}

}  // namespace menuforge

#include "menu/record_size.h"

namespace menuforge {

std::optional<RecordSize> RecordSizeOf(std::uint64_t bytes) {
  for (const RecordSize size : kRecordSizes)
    if (bytes == static_cast<std::uint64_t>(RecordBytes(size))) return size;
  return std::nullopt;
}

std::optional<RecordSize> ParseRecordSize(std::string_view text) {
  for (const RecordSize size : kRecordSizes)
    if (text == std::to_string(RecordBytes(size))) return size;
  return std::nullopt;
}

std::string RecordSizeLabel(RecordSize size) { return std::to_string(RecordBytes(size)) + "-byte"; }

}  // namespace menuforge

// One entry's data block: the chunk walk of the loader and the chunk writer of the saver.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "menu/format_options.h"
#include "menu/item_data.h"

namespace menuforge {

struct DecodedChunks {
  ItemDataRecord record;  // slots in chunk order; no slots when nothing usable was found
  // The tag of the last file icon chunk, which decides "Custom icon attribute".
  std::optional<IconAttribute> lastIconTag;
  std::vector<std::string> problems;  // what was cut or dropped, one sentence each
  Bytes dropped;  // the chunks that were cut or dropped, as the file holds them, in file order
};

DecodedChunks DecodeChunks(ByteView data);

struct ChunkWriteOptions {
  RecordSize recordSize = RecordSize::k36;
  IconAttribute iconAttribute = IconAttribute::Tag0C;
  bool saveAllData = false;
};

// Appends exactly DataLength(record, saveAllData) bytes.
void EncodeChunks(const ItemDataRecord& record, const ChunkWriteOptions& options, Bytes& out);

}  // namespace menuforge

// One menu entry as a list of named fields: what a comparison of two menus sets side by side.
// Chunk order does not matter to the phone, so fields come in one fixed order. A field points
// into the record and data it comes from; its name and readable value are made only when shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "menu/item_data.h"
#include "menu/node_record.h"

namespace menuforge {

// A field's value in UTF-8. A text is shown quoted (escaped as the showing side escapes texts);
// anything else (numbers, names, hex) stands as it is.
struct FieldValue {
  std::string text;  // as scripts read it
  bool isText = false;
  // What a reader is shown instead where the text is a code: the item editor's words for it,
  // the raw value in brackets ("its own titles (8)"); empty where the text says it already.
  std::string shown;
  bool operator==(const FieldValue&) const = default;
};

struct EntryField {
  // Sorts fields into their fixed order: record fields, titles by list and language, icons,
  // texts, codes, the action, shortcut data, unknown chunks; a field named twice counts up. Two
  // fields of one order are the same field of two entries.
  std::uint64_t order = 0;
  const NodeRecord* record = nullptr;  // for the type, title mode and attribute byte
  const ChunkSlot* slot = nullptr;     // for the entry's data
  std::size_t item = 0;                // which title, or which unknown chunk, of the slot
  std::size_t repeat = 1;              // 2 for the second field of one name
  const Bytes* dropped = nullptr;      // for data the file holds that loading dropped

  // "type", "title[English US]", "icon[list]", "unknown[tag 200]"; "#2" for the second.
  std::string Name() const;
  // The same in the item editor's words: "function", "Menu title (English US)", "List icon".
  std::string Label() const;
  FieldValue Value() const;
  // Compares what the file holds, without making readable values.
  bool SameValue(const EntryField& other) const;
  // Mixes the value into an FNV-1a hash.
  void Hash(std::uint64_t& hash) const;
};

// The entry's type, title mode and attribute byte, then its data, sorted, then what loading
// dropped of it. The item identifier is not among them: it is what entries are matched by. The
// fields point into `record`, `data` and `dropped`.
std::vector<EntryField> EntryFields(const NodeRecord& record, const ItemDataRecord* data,
                                    const Bytes* dropped = nullptr);

// "folder", "url", ...: the readable name of an item type, or its number.
std::string ItemTypeName(std::uint8_t itemType);

}  // namespace menuforge

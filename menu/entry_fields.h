// One menu entry as a list of named fields with readable values: what a comparison of two menus
// sets side by side. Chunk order does not matter to the phone, so fields come in one fixed order.
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
  std::string text;
  bool isText = false;
  bool operator==(const FieldValue&) const = default;
};

struct EntryField {
  // Sorts fields into their fixed order: record fields, titles by list and language, icons,
  // texts, codes, the action, shortcut data, unknown chunks; a field named twice counts up.
  std::uint64_t order = 0;
  // "type", "title[English US]", "icon[list]", "unknown[tag 200]"; "#2" for the second of a name.
  std::string name;
  FieldValue value;
};

// The entry's type, title mode and attribute byte, then its data, sorted. The item identifier is
// not among them: it is what entries are matched by.
std::vector<EntryField> EntryFields(const NodeRecord& record, const ItemDataRecord* data);

// "folder", "url", ...: the readable name of an item type, or its number.
std::string ItemTypeName(std::uint8_t itemType);

}  // namespace menuforge

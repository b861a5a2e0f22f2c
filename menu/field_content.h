// One field of an entry as the bytes it stands for, so that a change of it can be carried from one
// menu to another and set there: the record byte, the item name, or a chunk holding just that
// field (one title of a list, one unknown chunk, or the whole chunk of any other kind).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "menu/entry_fields.h"

namespace menuforge {

inline constexpr char kItemFieldName[] = "item";

using FieldContent = std::variant<std::uint8_t, std::string, ChunkSlot>;

FieldContent ContentOf(const EntryField& field);

// The field of that name (as EntryField::Name gives it, or "item"); nothing when the entry
// lacks it.
std::optional<FieldContent> FieldContentOf(const NodeRecord& record, const ItemDataRecord* data,
                                           std::string_view field);

// Whether `content` can be the field `field`: a record byte for "type", "title-mode" and
// "attributes", a name for "item", otherwise a chunk of one field whose name is `field` (a
// repeat "#N" left aside).
bool FitsField(std::string_view field, const FieldContent& content);

// The value a comparison shows for the content of that field; "none" for no content.
std::optional<FieldValue> ShownContent(std::string_view field,
                                       const std::optional<FieldContent>& content);

// Sets the field, or takes it away for no content. A title joins the list of its kind and an
// unknown chunk the unknown group; any other chunk takes the place of the one it replaces, or
// comes last. The data is left empty when its last chunk goes.
void SetField(NodeRecord& record, std::optional<ItemDataRecord>& data, std::string_view field,
              const std::optional<FieldContent>& content);

}  // namespace menuforge

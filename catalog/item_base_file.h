// The text form of "itembase.dat": one "identifier;display name" line per entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "menu/item_table.h"

namespace menuforge {

// The item base table counts in 8 bits and keeps one slot for "Custom item".
inline constexpr std::size_t kMaxItemBaseEntries = 254;

// The 152 entries written when "itembase.dat" is missing.
const std::vector<ItemBaseEntry>& BuiltInItemBase();

struct ParsedItemBase {
  std::vector<ItemBaseEntry> entries;
  std::vector<std::string> warnings;
};

// Lines without ";" are skipped and entries past the table's capacity are dropped; each case
// adds a warning.
ParsedItemBase ParseItemBase(std::string_view text);
std::string FormatItemBase(const std::vector<ItemBaseEntry>& entries);

// The line the program appends for an item it has met: "id;id" or "id;id [SC]".
std::string AppendedItemBaseLine(const std::string& identifier, bool isShortcut);
// An identifier holding ";" or a line break would split into other entries when read back, an
// empty one would match every nameless record, and other control bytes are no phone's names.
bool AppendableIdentifier(std::string_view identifier);
std::string UnstorableIdentifierError(const std::string& identifier);

}  // namespace menuforge

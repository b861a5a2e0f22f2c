// What differs between two menus, entry by entry: the answer to "what will change?" before a
// menu is written over another.
//
// Entries are matched by identity: the item identifier, and among entries of one identifier
// their place; custom entries by their data or their name. Within a folder, siblings are aligned
// as sequences, so an entry whose place shifts only because one before it came or went is not
// moved; one that left its folder, or left the order of its matched siblings, is.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "menu/entry_fields.h"
#include "menu/format_options.h"
#include "menu/menu_tree.h"
#include "menu/mma_loader.h"

namespace menuforge {

inline constexpr char kMenuRootDisplayName[] = "Menu Root";
inline constexpr char kSoftkeysDisplayName[] = "Softkeys";
// The format field that holds the records loading left out of every folder.
inline constexpr char kUnreadRecordsField[] = "unread-records";

// A field whose value differs; no value where the field is missing on that side.
struct FieldDifference {
  std::string field;  // as scripts know it: "title-mode"
  std::string label;  // as the item editor or the main window names it: "title shown"
  std::optional<FieldValue> before;
  std::optional<FieldValue> after;
  bool operator==(const FieldDifference&) const = default;
};

// Where an entry stands in one of the two menus.
struct EntryPlace {
  std::vector<std::size_t> path;   // indices from the top, as NodeAtPath takes them
  std::vector<std::string> names;  // display names (UTF-8) from the top node down to the entry

  // The folder's names: all but the last.
  std::vector<std::string> FolderNames() const { return {names.begin(), names.end() - 1}; }
  // 1 for the first entry of its folder.
  std::size_t Position() const { return path.back() + 1; }
  bool operator==(const EntryPlace&) const = default;
};

enum class EntryChange { Added, Removed, Moved, Changed };

struct EntryDifference {
  EntryChange change = EntryChange::Changed;
  std::string identifier;               // UTF-8
  std::optional<EntryPlace> before;     // in the first menu; none for an added entry
  std::optional<EntryPlace> after;      // in the second menu; none for a removed entry
  std::vector<FieldDifference> fields;  // a moved entry may have changed too

  // Where the entry is shown: in the second menu, or in the first when it was removed.
  const EntryPlace& place() const { return after ? *after : *before; }
  bool operator==(const EntryDifference&) const = default;
};

struct MenuComparison {
  // Record format and format options ("record-size", "c698p-fix", "icon-attribute",
  // "save-all-data"), and the records loading left out of every folder ("unread-records").
  std::vector<FieldDifference> format;
  // The fixed top first, then the main menu in the order of the second menu, each removed entry
  // where it stood among its old siblings.
  std::vector<EntryDifference> entries;

  bool Same() const { return format.empty() && entries.empty(); }
  bool operator==(const MenuComparison&) const = default;
};

struct ComparedMenu {
  const MenuTree& tree;
  const FormatOptions& options;
  // What loading the tree's file dropped, keyed by the entries' keys as loaded; only for a tree
  // just loaded, whose data the phone would show while the tree lacks it.
  const std::vector<DroppedData>* dropped = nullptr;
};

// Both trees must hold an open menu (the fixed top at least).
MenuComparison CompareMenus(const ComparedMenu& before, const ComparedMenu& after);

}  // namespace menuforge

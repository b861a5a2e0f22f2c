// A comparison of two menus as readable lines, the same for the command line and the window:
//   ~ format: FIELD: OLD → NEW              the record format and format options, first
//   + PATH                                  an entry only the second menu has
//   - PATH                                  an entry only the first menu has
//   > PATH: from FOLDER #N to FOLDER #M     an entry moved (N and M count from 1)
//   ~ PATH: FIELD: OLD → NEW                one field of an entry changed
// PATH is the entry's place in display names below "Menu Root"; FIELD is named as the item
// editor and the main window name it, and a coded value reads in their words with the raw value
// in brackets; texts are quoted with '"', '\' and control bytes escaped; "none" stands for a
// field that is not there.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "menu/menu_comparison.h"

namespace menuforge {

inline constexpr std::size_t kNoComparedEntry = std::numeric_limits<std::size_t>::max();

struct ComparisonLine {
  std::string text;                      // UTF-8
  std::size_t entry = kNoComparedEntry;  // index into MenuComparison::entries
  bool operator==(const ComparisonLine&) const = default;
};

std::vector<ComparisonLine> ComparisonLines(const MenuComparison& comparison);

// Names below "Menu Root" joined by "/"; "Menu Root" itself where nothing lies below it.
std::string ShownEntryPath(const std::vector<std::string>& names);

// A field's value as a line shows it: quoted text, a plain value, or "none".
std::string ShownValue(const std::optional<FieldValue>& value);
// "FOLDER #N", as a move shows where an entry stands.
std::string ShownPlace(const EntryPlace& place);

}  // namespace menuforge

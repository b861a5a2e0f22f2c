// The two forms of a comparison on stdout: readable lines and JSON for scripts.
#pragma once

#include <ostream>
#include <string>

#include "menu/change_list.h"
#include "menu/menu_comparison.h"

namespace menuforge::cli {

// What is said of two sides that hold the same entries.
inline constexpr char kIdenticalText[] = "files are identical";
inline constexpr char kSameMenuText[] = "same menu, the files differ only in layout";
inline constexpr char kFormatOnlyText[] = "same entries, record format differs";

// The line said before any difference, or empty when there is none to say.
std::string DiffSummary(const MenuComparison& comparison, bool identicalBytes);

// The summary, then the lines of ComparisonLines.
void PrintDiffLines(const MenuComparison& comparison, bool identicalBytes, std::ostream& out);
// With `carried`, each entry also holds what `apply` needs to do the change to another menu.
void PrintDiffJson(const MenuComparison& comparison, bool identicalBytes, std::ostream& out,
                   const ChangeList* carried = nullptr);

}  // namespace menuforge::cli

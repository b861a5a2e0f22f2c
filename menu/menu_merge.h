// Carrying changes over: a change list done to a menu, and the three-way merge of two menus that
// both grew from one base. Changes that touch different entries, or different fields of one
// entry, combine; where both sides changed the same thing differently, one side is kept and the
// clash is told in a line:
//   ! PATH: FIELD mine OLD -> A, theirs OLD -> B     one field changed to different values
//   ! PATH: removed by theirs, changed by mine       removed on one side, changed or moved on the
//   other ! PATH: moved by mine to FOLDER #N, by theirs to FOLDER #M ! PATH: added by theirs into a
//   folder mine removed ! PATH: not in the menu                         (a change list) the entry
//   it changes is missing ! format: FIELD mine OLD -> A, theirs OLD -> B
#pragma once

#include <set>
#include <string>
#include <vector>

#include "base/result.h"
#include "menu/change_list.h"
#include "menu/menu_comparison.h"

namespace menuforge {

struct MergedMenu {
  MenuTree tree;
  FormatOptions options;
  std::vector<std::string> conflicts;  // one line each, in the order the changes came
};

enum class ConflictChoice { KeepMine, TakeTheirs };

// Which side each conflict keeps: `otherwise`, but THEIRS for the conflicts whose lines are in
// `theirs`, as the user chose them one by one.
struct ConflictChoices {
  ConflictChoices(ConflictChoice all = ConflictChoice::KeepMine) : otherwise(all) {}
  ConflictChoice otherwise;
  std::set<std::string> theirs;
};

// MINE with the changes from BASE to THEIRS. Fails, naming the limit and the entries past it,
// when the result would not fit an mma_ucp file.
Result<MergedMenu> MergeMenus(const ComparedMenu& base, const ComparedMenu& mine,
                              const ComparedMenu& theirs, const ConflictChoices& choices);

// The menu with the changes of the list. A change whose entry is missing, or holds other values
// than the list expects, is a conflict and is left out.
Result<MergedMenu> ApplyChangeList(const ComparedMenu& menu, const ChangeList& changes,
                                   const ConflictChoices& choices = {});

}  // namespace menuforge

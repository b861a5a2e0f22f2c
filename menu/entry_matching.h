// Which node of one menu is which node of another, as a comparison of the two paired them. The
// comparison names only the entries it reports; the rest it left where they were, so they pair
// up in order under every pair of matched folders.
#pragma once

#include <unordered_map>
#include <unordered_set>

#include "menu/menu_comparison.h"

namespace menuforge {

struct EntryMatching {
  std::unordered_map<const MenuNode*, const MenuNode*> forward;   // first menu → second
  std::unordered_map<const MenuNode*, const MenuNode*> backward;  // second menu → first
  std::unordered_set<const MenuNode*> moved;                      // of the first menu

  const MenuNode* SecondOf(const MenuNode* first) const;
  const MenuNode* FirstOf(const MenuNode* second) const;
};

// `comparison` is CompareMenus of the two trees.
EntryMatching MatchEntries(const MenuTree& first, const MenuTree& second,
                           const MenuComparison& comparison);

}  // namespace menuforge

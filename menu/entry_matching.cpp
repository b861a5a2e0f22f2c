#include "menu/entry_matching.h"

#include <algorithm>

#include "menu/tree_edit.h"

namespace menuforge {
namespace {

const MenuNode* Lookup(const std::unordered_map<const MenuNode*, const MenuNode*>& map,
                       const MenuNode* node) {
  const auto found = map.find(node);
  return found == map.end() ? nullptr : found->second;
}

class Matcher {
 public:
  Matcher(const MenuTree& first, const MenuTree& second, EntryMatching& matching)
      : first_(first), second_(second), matching_(matching) {}

  void Run(const MenuComparison& comparison) {
    for (const EntryDifference& entry : comparison.entries) {
      const MenuNode* a = entry.before ? NodeAtPath(first_, entry.before->path) : nullptr;
      const MenuNode* b = entry.after ? NodeAtPath(second_, entry.after->path) : nullptr;
      if (a) named_.insert(a);
      if (b) named_.insert(b);
      if (a && b) Pair(a, b);
      if (a && entry.change == EntryChange::Moved) matching_.moved.insert(a);
    }
    const auto& left = first_.topLevel();
    const auto& right = second_.topLevel();
    for (std::size_t i = 0; i < std::min(left.size(), right.size()); ++i)
      Pair(left[i].get(), right[i].get());
    for (std::size_t i = 0; i < pending_.size(); ++i) PairChildren(pending_[i]);
  }

 private:
  void Pair(const MenuNode* a, const MenuNode* b) {
    if (!matching_.forward.emplace(a, b).second) return;
    matching_.backward.emplace(b, a);
    pending_.emplace_back(a, b);
  }

  // The children the comparison did not name stayed, in their order, under the matched folder.
  // Soft keys are matched by their place, named or not.
  void PairChildren(std::pair<const MenuNode*, const MenuNode*> pair) {
    const bool fixed = pair.first == first_.softkeys();
    std::vector<const MenuNode*> left, right;
    for (const auto& child : pair.first->children())
      if (fixed || !named_.contains(child.get())) left.push_back(child.get());
    for (const auto& child : pair.second->children())
      if (fixed || !named_.contains(child.get())) right.push_back(child.get());
    for (std::size_t i = 0; i < std::min(left.size(), right.size()); ++i) Pair(left[i], right[i]);
  }

  const MenuTree& first_;
  const MenuTree& second_;
  EntryMatching& matching_;
  std::unordered_set<const MenuNode*> named_;
  std::vector<std::pair<const MenuNode*, const MenuNode*>> pending_;
};

}  // namespace

const MenuNode* EntryMatching::SecondOf(const MenuNode* first) const {
  return Lookup(forward, first);
}

const MenuNode* EntryMatching::FirstOf(const MenuNode* second) const {
  return Lookup(backward, second);
}

EntryMatching MatchEntries(const MenuTree& first, const MenuTree& second,
                           const MenuComparison& comparison) {
  EntryMatching matching;
  Matcher(first, second, matching).Run(comparison);
  return matching;
}

}  // namespace menuforge

#include "menu/change_list.h"

#include <map>

#include "base/text_encoding.h"
#include "menu/entry_matching.h"
#include "menu/tree_edit.h"

namespace menuforge {
namespace {

CarriedEntry Carried(const MenuTree& tree, const MenuNode& node) {
  const ItemDataRecord* data = tree.itemData().Find(node.record().recordKey);
  CarriedEntry entry{node.record(), node.displayText(), std::nullopt};
  if (node.record().modified && data) entry.data = *data;
  return entry;
}

class Carrier {
 public:
  Carrier(const MenuTree& first, const MenuTree& second, const MenuComparison& comparison)
      : first_(first), second_(second), matching_(MatchEntries(first, second, comparison)) {}

  ChangeList Run(const MenuComparison& comparison) {
    ChangeList list;
    list.format = comparison.format;
    for (const EntryDifference& difference : comparison.entries) {
      const MenuNode* a = difference.before ? NodeAtPath(first_, difference.before->path) : nullptr;
      const MenuNode* b = difference.after ? NodeAtPath(second_, difference.after->path) : nullptr;
      CarriedChange change;
      change.change = difference.change;
      change.shown = difference.place();
      if (a) change.entry = TargetInFirst(*a);
      if (b) {
        change.content = Carried(second_, *b);
        change.parent = TargetInSecond(b->parent());
        change.previous = TargetInSecond(second_.PreviousSibling(b));
        if (difference.change == EntryChange::Added) added_[b] = list.entries.size();
      } else if (a) {
        change.content = Carried(first_, *a);
      }
      if (a && b) AddFields(difference, *a, *b, change);
      list.entries.push_back(std::move(change));
    }
    return list;
  }

 private:
  ChangeTarget TargetInFirst(const MenuNode& node) const {
    ChangeTarget target;
    if (&node == first_.menuRoot()) {
      target.kind = ChangeTarget::Kind::MenuRoot;
      return target;
    }
    target.kind = ChangeTarget::Kind::Entry;
    target.place.path = PathOf(node, first_);
    for (const MenuNode* at = &node; at; at = at->parent())
      target.place.names.insert(
          target.place.names.begin(),
          Latin1ToUtf8(at->displayText().empty() ? at->record().itemName : at->displayText()));
    target.identifier = node.record().itemName;
    return target;
  }

  ChangeTarget TargetInSecond(const MenuNode* node) const {
    if (!node) return {};
    if (const auto found = added_.find(node); found != added_.end())
      return {ChangeTarget::Kind::Added, {}, {}, found->second};
    const MenuNode* first = matching_.FirstOf(node);
    return first ? TargetInFirst(*first) : ChangeTarget{};
  }

  void AddFields(const EntryDifference& difference, const MenuNode& a, const MenuNode& b,
                 CarriedChange& change) const {
    const ItemDataRecord* before = first_.itemData().Find(a.record().recordKey);
    const ItemDataRecord* after = second_.itemData().Find(b.record().recordKey);
    for (const FieldDifference& field : difference.fields)
      change.fields.push_back({field.field, field.label,
                               FieldContentOf(a.record(), before, field.field),
                               FieldContentOf(b.record(), after, field.field)});
  }

  const MenuTree& first_;
  const MenuTree& second_;
  EntryMatching matching_;
  std::map<const MenuNode*, std::size_t> added_;
};

}  // namespace

ChangeList CarriedChanges(const MenuTree& first, const MenuTree& second,
                          const MenuComparison& comparison) {
  return Carrier(first, second, comparison).Run(comparison);
}

}  // namespace menuforge

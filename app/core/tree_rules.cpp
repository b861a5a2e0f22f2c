#include "app/core/tree_rules.h"

namespace menuforge {

ItemMenuEnables ItemMenuRules(const MenuTree& tree, const MenuNode* selected,
                              bool hasCurrentEntry) {
  if (selected == nullptr || !hasCurrentEntry) return {};
  const std::size_t position = tree.PositionOf(selected);
  if (position >= tree.NodeCount()) return {};
  return {
      .addSubitem = position >= kMenuRootPosition && selected->record().mayHaveSubitems,
      .addItem = position >= kFirstEntryPosition,
      .replace = position != kSoftkeysPosition && position != kMenuRootPosition,
  };
}

TreeMenuEnables TreeMenuRules(const MenuTree& tree, const MenuNode* selected) {
  if (selected == nullptr) return {};
  const std::size_t position = tree.PositionOf(selected);
  if (position >= tree.NodeCount()) return {};
  const bool entry = position >= kFirstEntryPosition;
  return {
      .modifyItem = position != kSoftkeysPosition && position != kMenuRootPosition,
      .deleteItem = entry,
      .moveUp = entry && tree.PreviousSibling(selected) != nullptr,
      .moveDown = entry && tree.NextSibling(selected) != nullptr,
  };
}

bool AcceptsDrop(const MenuTree& tree, const MenuNode* target, DragSource source,
                 const MenuNode* dragged) {
  if (target == nullptr || tree.PositionOf(target) < kFirstEntryPosition) return false;
  if (tree.PositionOf(target) >= tree.NodeCount()) return false;
  if (source == DragSource::ItemList) return true;
  return dragged != nullptr && tree.PositionOf(dragged) >= kFirstEntryPosition &&
         tree.PositionOf(dragged) < tree.NodeCount();
}

bool StaysExpandedAfterDrop(const MenuNode& opened, const MenuNode& dropped) {
  return &opened == &dropped || opened.IsAncestorOf(&dropped);
}

}  // namespace menuforge

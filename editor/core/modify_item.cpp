#include "editor/core/modify_item.h"

namespace menuforge {

EditedNode EditedNodeOf(const MenuTree& tree, const MenuNode& node) {
  const NodeRecord& record = node.record();
  return {tree.itemData().Find(record.recordKey), record.itemType,
          tree.PositionOf(&node) < kMenuRootPosition, record.attributeByte, record.titleMode};
}

void ApplyEditorResult(MenuTree& tree, MenuNode& node, ItemEditorModel& editor, bool saveAllData) {
  std::optional<ItemDataRecord> data;
  if (editor.HasItemData(saveAllData)) editor.StoreItem(data.emplace());
  tree.EditTogether([&] {
    tree.SetEntryData(node, std::move(data), saveAllData);
    tree.EditRecord(node, [&](NodeRecord& record) {
      record.itemType = editor.ItemType();
      record.titleMode = editor.TitleMode();
      record.attributeByte = editor.AttributeByte();
    });
  });
}

}  // namespace menuforge

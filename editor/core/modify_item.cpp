#include "editor/core/modify_item.h"

namespace menuforge {

EditedNode EditedNodeOf(const MenuTree& tree, const MenuNode& node) {
  const NodeRecord& record = node.record;
  return {tree.itemData.Find(record.recordKey), record.itemType,
          tree.PositionOf(&node) < kMenuRootPosition, record.attributeByte, record.titleMode};
}

void ApplyEditorResult(MenuTree& tree, MenuNode& node, ItemEditorModel& editor, bool saveAllData) {
  NodeRecord& record = node.record;
  if (editor.HasItemData(saveAllData)) {
    ItemDataRecord data;
    editor.StoreItem(data);
    tree.itemData.Store(record.recordKey, std::move(data));
    record.modified = true;
    record.dataLength =
        static_cast<std::uint16_t>(DataLength(tree.itemData.Find(record.recordKey), saveAllData));
  } else {
    tree.itemData.Free(record.recordKey);
    record.modified = false;
    record.dataLength = 0;
  }
  record.itemType = editor.ItemType();
  record.titleMode = editor.TitleMode();
  record.attributeByte = editor.AttributeByte();
  tree.NotifyRecordChanged(&node);
}

}  // namespace menuforge

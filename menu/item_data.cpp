#include "menu/item_data.h"

#include <algorithm>

namespace menuforge {

bool IsTitleTag(std::uint8_t tag) {
  return tag == kTagMenuTitle || tag == kTagSoftkeyTitle || tag == kTagShowText;
}

bool IsTextTag(std::uint8_t tag) {
  return tag == kTagUrl || tag == kTagMidlet1 || tag == kTagMidletName || tag == kTagMidletVendor;
}

bool IsDrmIconTag(std::uint8_t tag) {
  return tag == kTagDrmListIcon || tag == kTagDrmStaticIcon || tag == kTagDrmAnimatedIcon;
}

bool IsCodeTag(std::uint8_t tag) {
  return tag == kTagCode12 || tag == kTagCode13 || tag == kTagCode14;
}

bool IsKnownFileTag(std::uint8_t tag) {
  return IsTitleTag(tag) || IsTextTag(tag) || IsDrmIconTag(tag) || IsCodeTag(tag) ||
         tag == kTagFileIcon || tag == kTagFileIcon06 || tag == kTagEmulatedAction ||
         tag == kTagShortcutData;
}

std::size_t ChunkSlot::length() const {
  if (IsTitleTag(tag)) {
    std::size_t n = 1 + 4 * titles.size();
    for (const auto& title : titles) n += title.text.size() * 2 + 2;
    return n;
  }
  if (IsTextTag(tag)) return text.size() + 1;
  if (IsDrmIconTag(tag)) return 4;
  if (IsCodeTag(tag)) return 1;
  switch (tag) {
    case kTagFileIcon: return path.size() * 2 + 3;
    case kTagEmulatedAction: return 2;
    case kTagShortcutData: return kShortcutDataBytes;
    case kTagUnknownGroup: {
      std::size_t n = 0;
      for (const auto& chunk : unknown) n += 3 + chunk.data.size();
      return n;
    }
    default: return 0;
  }
}

ChunkSlot ChunkSlot::Titles(std::uint8_t tag, std::vector<TitleEntry> titles) {
  ChunkSlot slot;
  slot.tag = tag;
  slot.titles = std::move(titles);
  return slot;
}

ChunkSlot ChunkSlot::FileIcon(std::uint8_t kind, std::u16string path) {
  ChunkSlot slot;
  slot.tag = kTagFileIcon;
  slot.iconKind = kind;
  slot.path = std::move(path);
  return slot;
}

ChunkSlot ChunkSlot::Text(std::uint8_t tag, std::string text) {
  ChunkSlot slot;
  slot.tag = tag;
  slot.text = std::move(text);
  return slot;
}

ChunkSlot ChunkSlot::DrmIcon(std::uint8_t tag, std::uint8_t drmByte, std::uint16_t number) {
  ChunkSlot slot;
  slot.tag = tag;
  slot.drmByte = drmByte;
  slot.drmIconNumber = number;
  return slot;
}

ChunkSlot ChunkSlot::Code(std::uint8_t tag, std::uint8_t code) {
  ChunkSlot slot;
  slot.tag = tag;
  slot.code = code;
  return slot;
}

ChunkSlot ChunkSlot::Action(std::uint16_t actionCode) {
  ChunkSlot slot;
  slot.tag = kTagEmulatedAction;
  slot.actionCode = actionCode;
  return slot;
}

ChunkSlot ChunkSlot::Shortcut(std::string_view identifier) {
  ChunkSlot slot;
  slot.tag = kTagShortcutData;
  // Identifier, zero terminator, zero padding: a longer identifier keeps its first 24 bytes.
  const std::size_t n = std::min(identifier.size(), kShortcutDataBytes - 1);
  std::copy_n(identifier.begin(), n, slot.shortcutData.begin());
  return slot;
}

std::size_t DataLength(const ItemDataRecord* record, bool saveAllData) {
  if (!record) return 0;
  std::size_t n = 0;
  for (const auto& slot : record->slots) {
    if (slot.tag != kTagUnknownGroup)
      n += slot.length() + 3;
    else if (saveAllData)
      n += slot.length();
  }
  return n;
}

ItemDataRecord* ItemDataTable::Find(std::uint8_t key) {
  auto& entry = records_[key];
  return entry ? &*entry : nullptr;
}

const ItemDataRecord* ItemDataTable::Find(std::uint8_t key) const {
  const auto& entry = records_[key];
  return entry ? &*entry : nullptr;
}

void ItemDataTable::Store(std::uint8_t key, ItemDataRecord record) {
  record.ownerKey = key;
  records_[key] = std::move(record);
}

void ItemDataTable::Free(std::uint8_t key) { records_[key].reset(); }

void ItemDataTable::Clear() {
  for (auto& entry : records_) entry.reset();
}

std::size_t ItemDataTable::size() const {
  return static_cast<std::size_t>(
      std::count_if(records_.begin(), records_.end(), [](const auto& e) { return e.has_value(); }));
}

}  // namespace menuforge

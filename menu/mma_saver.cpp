#include "menu/mma_saver.h"

#include <algorithm>

#include "base/local_file.h"
#include "menu/chunk_codec.h"
#include "menu/mma_format.h"

namespace menuforge {
namespace {

constexpr char kNoMenuText[] = "There is no menu to save";

// The loader refuses such a file as no menu at all.
std::string ControlBytesInNameText(const std::string& name) {
  return "The item name " + QuotedForMessage(name) +
         " holds control characters, which an mma_ucp file cannot hold";
}

std::string DataTooLargeText(std::size_t bytes) {
  return "The menu's data takes " + std::to_string(bytes) +
         " bytes; an mma_ucp file can hold at most " + std::to_string(kMaxDataSectionBytes);
}

// Main menu nodes group by group: each group's members, then their children's groups in turn.
void CollectGroup(MenuNode& first, std::vector<MenuNode*>& order) {
  const auto& group = first.parent()->children();
  for (const auto& member : group) order.push_back(member.get());
  for (const auto& member : group)
    if (!member->children().empty()) CollectGroup(*member->children().front(), order);
}

// The soft keys, then the main menu group by group: the order of the records in the file.
std::vector<MenuNode*> WriteOrder(const MenuTree& tree) {
  std::vector<MenuNode*> order;
  for (const auto& key : tree.softkeys()->children()) order.push_back(key.get());
  const MenuNode* menuRoot = tree.menuRoot();
  if (!menuRoot->children().empty()) CollectGroup(*menuRoot->children().front(), order);
  return order;
}

void WriteU16(Bytes& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void WriteRecord(const NodeRecord& record, std::size_t dataOffset, std::size_t dataLength,
                 const RecordLayout& layout, Bytes& out) {
  out.insert(out.end(), {record.itemType, record.parentIndex, record.nextIndex,
                         record.firstChildIndex, record.titleMode, record.attributeByte});
  for (std::size_t i = 0; i < layout.nameWidth; ++i)
    out.push_back(i < record.itemName.size() ? static_cast<std::uint8_t>(record.itemName[i]) : 0);
  if (layout.hasMarker) out.push_back(record.marker);
  WriteU16(out, dataOffset);
  WriteU16(out, dataLength);
}

NodeRecord RootRecord() {
  NodeRecord root;
  root.itemType = kFolder;
  root.firstChildIndex = 1;
  root.itemName = "Root";
  root.marker = kSoftkeyMarker;
  return root;
}

bool PassesNameCheck(const NodeRecord& record, const ItemTable& availableItems) {
  return record.IsCustom() || availableItems.Contains(record.itemName);
}

std::uint8_t FixedUpType(const MenuNode& node, bool saveAllData) {
  std::uint8_t type = node.record().itemType;
  if (type == kFolder && node.children().empty() && node.record().marker != kSoftkeyMarker)
    type = kPlainItem;
  if ((type == 2 || type > kShortcut) && !saveAllData) type = kPlainItem;
  return type;
}

}  // namespace

std::vector<std::string> ItemsOutsideTable(const MenuTree& tree, const ItemTable& availableItems) {
  std::vector<std::string> names;
  if (!tree.softkeys() || !tree.menuRoot()) return names;
  for (const MenuNode* node : WriteOrder(tree))
    if (!PassesNameCheck(node->record(), availableItems) &&
        std::find(names.begin(), names.end(), node->record().itemName) == names.end())
      names.push_back(node->record().itemName);
  return names;
}

SaveResult EncodeMenuFile(MenuTree& tree, const FormatOptions& options,
                          const ItemTable& availableItems, Bytes& out) {
  MenuNode* softkeys = tree.softkeys();
  MenuNode* menuRoot = tree.menuRoot();
  if (!softkeys || !menuRoot || softkeys->children().size() != kSoftkeyCount)
    return Failure(kNoMenuText);
  if (tree.EntryCount() > kMaxMenuEntries) return Failure(TooManyEntriesText());

  const std::vector<MenuNode*> grouped = WriteOrder(tree);
  const std::size_t firstEntry = softkeys->children().size();

  std::vector<std::size_t> lengths;
  std::size_t total = 0;
  for (MenuNode* node : grouped) {
    if (HasControlByte(node->record().itemName))
      return Failure(ControlBytesInNameText(node->record().itemName));
    if (!PassesNameCheck(node->record(), availableItems))
      return SaveResult(
          Failure(Message{kProfileMismatchOnSaveText, kProfileErrorCaption, MessageIcon::Error}),
          SaveStatus::Refused);
    lengths.push_back(
        DataLength(tree.itemData().Find(node->record().recordKey), options.saveAllData));
    total += lengths.back();
  }
  if (total > kMaxDataSectionBytes) return Failure(DataTooLargeText(total));

  const RecordLayout layout = RecordLayout::For(options.saveMode);
  out.clear();
  out.insert(out.end(), {0x00, options.c698pFix ? kHeaderC698pOn : kHeaderC698pOff,
                         static_cast<std::uint8_t>(tree.NodeCount() + 1), 0x01, 0xFF, 0xFF,
                         static_cast<std::uint8_t>(layout.hasMarker ? 0x15 : 0xFF),
                         static_cast<std::uint8_t>(layout.hasMarker ? 0x02 : 0xFF), 0xFF, 0xFF});
  WriteRecord(RootRecord(), 0, 0, layout, out);
  WriteRecord(softkeys->record(), softkeys->record().dataOffset, softkeys->record().dataLength,
              layout, out);

  std::size_t running = 0;
  auto writeGroupRecord = [&](std::size_t i) {
    NodeRecord written = grouped[i]->record();
    written.itemType = FixedUpType(*grouped[i], options.saveAllData);
    WriteRecord(written, running, lengths[i], layout, out);
    running += lengths[i];
  };
  for (std::size_t i = 0; i < firstEntry; ++i) writeGroupRecord(i);
  // A new menu's root still points at record 10; with no entries there is nothing there.
  NodeRecord rootRecord = menuRoot->record();
  if (menuRoot->children().empty()) rootRecord.firstChildIndex = kNoIndex;
  WriteRecord(rootRecord, rootRecord.dataOffset, rootRecord.dataLength, layout, out);
  for (std::size_t i = firstEntry; i < grouped.size(); ++i) writeGroupRecord(i);

  const ChunkWriteOptions chunkOptions{options.saveMode, options.iconAttribute,
                                       options.saveAllData};
  for (std::size_t i = 0; i < grouped.size(); ++i) {
    if (lengths[i] == 0) continue;
    EncodeChunks(*tree.itemData().Find(grouped[i]->record().recordKey), chunkOptions, out);
  }
  // The tree now says what the file says.
  for (MenuNode* node : grouped) {
    const std::uint8_t type = FixedUpType(*node, options.saveAllData);
    if (type != node->record().itemType)
      tree.EditRecord(*node, [type](NodeRecord& record) { record.itemType = type; });
    tree.RefreshDataLength(*node, options.saveAllData);
  }
  return {};
}

SaveResult SaveMenuFile(const std::filesystem::path& path, MenuTree& tree,
                        const FormatOptions& options, const ItemTable& availableItems) {
  Bytes bytes;
  SaveResult result = EncodeMenuFile(tree, options, availableItems, bytes);
  if (!result) return result;
  if (const Status written = WriteFileAtomically(path, bytes); !written)
    return Failure(written.error());
  return result;
}

}  // namespace menuforge

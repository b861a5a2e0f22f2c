#include <optional>

#include "base/user_messages.h"
#include "menu/mma_format.h"
#include "menu/record_size.h"
#include "menu/tree_operations.h"
#include "menu_json/json_chunk_reader.h"
#include "menu_json/json_field.h"
#include "menu_json/json_keys.h"
#include "menu_json/json_menu.h"

namespace menuforge::cli {
namespace {

using namespace json_keys;

constexpr char kBadIconAttribute[] = "expected \"06\" or \"0C\"";
constexpr char kFixNeeds22[] = "the c698p fix needs 22-byte records";
constexpr char kIcon06Needs22[] = "icon attribute \"06\" needs 22-byte records";
constexpr char kNotSevenSoftkeys[] = "expected exactly 7 soft keys";
constexpr char kSoftkeyChildren[] = "a soft key cannot have children";
constexpr char kTwoUnknownGroups[] = "an entry holds at most one unknown group";

constexpr std::size_t kNameWidth = RecordLayout::For(RecordSize::k36).nameWidth;

std::string UnavailableItemText(const std::string& name,
                                const std::optional<std::string>& profile) {
  const std::string item = "item " + QuotedForMessage(name);
  if (!profile) return item + " is not in the item base, and no profile was given";
  return item + " is not among the items of profile " + QuotedForMessage(*profile);
}

class MenuReader {
 public:
  MenuReader(const JsonMenuItems& items, MenuTree& tree)
      : availableItems_(items.available), profile_(items.profile), tree_(tree) {}

  FormatOptions Read(const JsonField& root);

 private:
  struct PendingData {
    MenuNode* node;
    ItemDataRecord record;
  };

  static FormatOptions ReadFormat(const JsonField& format);
  NodeRecord ReadRecord(const JsonField& node, bool softkey) const;
  std::string ReadName(const JsonField& name) const;
  void ReadSoftkeys(const JsonField& softkeys);
  void ReadEntries(const JsonField& entries, MenuNode& parent);
  void ReadData(const JsonField& node, MenuNode& target);
  void AttachData(bool saveAllData);

  const ItemTable& availableItems_;
  const std::optional<std::string>& profile_;
  MenuTree& tree_;
  std::vector<PendingData> pending_;
  std::size_t entryCount_ = 0;
};

FormatOptions MenuReader::Read(const JsonField& root) {
  root.ExpectObject({kFormat, kSoftkeys, kMenu});
  const FormatOptions options = ReadFormat(root.Member(kFormat));
  BuildSkeleton(tree_);
  ReadSoftkeys(root.Member(kSoftkeys));
  ReadEntries(root.Member(kMenu), *tree_.menuRoot());
  tree_.Renumber();
  AttachData(options.saveAllData);
  return options;
}

FormatOptions MenuReader::ReadFormat(const JsonField& format) {
  format.ExpectObject({kRecordSize, kC698pFix, kIconAttribute, kSaveAllData});
  FormatOptions options;
  const JsonField recordSize = format.Member(kRecordSize);
  const std::optional<RecordSize> size =
      RecordSizeOf(recordSize.Unsigned(RecordBytes(RecordSize::k36)));
  if (!size) recordSize.Fail(kInvalidRecordLengthText);
  options.SelectSaveMode(*size);

  const JsonField fix = format.Member(kC698pFix);
  if (fix.Bool() && !options.c698pEnabled) fix.Fail(kFixNeeds22);
  options.c698pFix = fix.Bool();

  const JsonField icon = format.Member(kIconAttribute);
  if (icon.String() != kIcon06 && icon.String() != kIcon0C) icon.Fail(kBadIconAttribute);
  const IconAttribute attribute =
      icon.String() == kIcon06 ? IconAttribute::Tag06 : IconAttribute::Tag0C;
  if (attribute != options.iconAttribute && !options.iconAttributeEnabled)
    icon.Fail(kIcon06Needs22);
  options.iconAttribute = attribute;

  options.saveAllData = format.Member(kSaveAllData).Bool();
  return options;
}

// Checked here rather than left to the saver, so that the fault names the item and its place.
std::string MenuReader::ReadName(const JsonField& name) const {
  std::string latin1 = name.Latin1();
  if (latin1.size() > kNameWidth)
    name.Fail("an item name holds at most " + std::to_string(kNameWidth) + " characters");
  const bool custom = !latin1.empty() && latin1.front() == '~';
  if (!custom && !availableItems_.Contains(latin1))
    name.Fail(UnavailableItemText(latin1, profile_));
  return latin1;
}

// Links of main menu entries follow from the tree and are checked only for their type.
NodeRecord MenuReader::ReadRecord(const JsonField& node, bool softkey) const {
  node.ExpectObject({kName, kDisplay, kType, kTitleMode, kAttribute, kParent, kNext, kFirstChild,
                     kModified, kData, kChildren});
  NodeRecord record;
  record.itemName = ReadName(node.Member(kName));
  if (const auto display = node.OptionalMember(kDisplay)) display->String();
  record.itemType = node.Member(kType).Byte();
  record.titleMode = node.Member(kTitleMode).Byte();
  record.attributeByte = node.Member(kAttribute).Byte();
  for (auto [key, link] :
       {std::pair{kParent, &record.parentIndex}, std::pair{kNext, &record.nextIndex},
        std::pair{kFirstChild, &record.firstChildIndex}}) {
    if (softkey)
      *link = node.Member(key).Byte();
    else if (const auto field = node.OptionalMember(key))
      field->Byte();
  }
  // Whether an entry has data follows from its data alone, as everywhere in the tree.
  if (const auto modified = node.OptionalMember(kModified)) modified->Bool();
  return record;
}

void MenuReader::ReadSoftkeys(const JsonField& softkeys) {
  const std::vector<JsonField> keys = softkeys.Elements(kSoftkeyCount, "soft keys");
  if (keys.size() != kSoftkeyCount) softkeys.Fail(kNotSevenSoftkeys);
  MenuNode& container = *tree_.softkeys();
  for (std::size_t i = 0; i < kSoftkeyCount; ++i) {
    const JsonField& key = keys[i];
    if (const auto children = key.OptionalMember(kChildren);
        children && !children->Elements(kMaxMenuEntries, "children").empty())
      children->Fail(kSoftkeyChildren);
    MenuNode& node = *container.children()[i];
    NodeRecord record = ReadRecord(key, true);
    record.marker = kSoftkeyMarker;
    if (record.IsCustom()) CountCustomName(tree_, record.itemName, true);
    tree_.SetDisplayText(
        node, DisplayTextFor(kFirstSoftkeyPosition + i, record.itemName, availableItems_));
    tree_.EditRecord(node, [&](NodeRecord& stored) { stored = std::move(record); });
    ReadData(key, node);
  }
}

void MenuReader::ReadEntries(const JsonField& entries, MenuNode& parent) {
  for (const JsonField& entry : entries.Elements(kMaxMenuEntries, "entries")) {
    if (++entryCount_ > kMaxMenuEntries) entry.Fail(TooManyEntriesText());
    NodeRecord record = ReadRecord(entry, false);
    record.marker = kMenuMarker;
    if (record.IsCustom()) {
      CountCustomName(tree_, record.itemName, false);
      record.mayHaveSubitems = true;
    } else {
      const std::size_t found = availableItems_.Find(record.itemName);
      record.mayHaveSubitems =
          found == availableItems_.count() || availableItems_.at(found).mayHaveSubitems;
    }
    std::string displayText = DisplayTextFor(kFirstEntryPosition, record.itemName, availableItems_);
    MenuNode* added =
        tree_.Insert(&parent, parent.children().size(),
                     std::make_unique<MenuNode>(std::move(record), std::move(displayText)));
    ReadData(entry, *added);
    if (const auto children = entry.OptionalMember(kChildren)) ReadEntries(*children, *added);
  }
}

void MenuReader::ReadData(const JsonField& node, MenuNode& target) {
  const auto data = node.OptionalMember(kData);
  if (!data) return;
  ItemDataRecord record;
  bool hasUnknownGroup = false;
  for (const JsonField& chunk : data->Elements(kMaxSlots, "chunks")) {
    ChunkSlot slot = ChunkFromJson(chunk);
    if (slot.As<UnknownGroupChunk>()) {
      if (hasUnknownGroup) chunk.Fail(kTwoUnknownGroups);
      hasUnknownGroup = true;
    }
    record.slots.push_back(std::move(slot));
  }
  if (!record.slots.empty()) pending_.push_back({&target, std::move(record)});
}

// Keys are final only after renumbering.
void MenuReader::AttachData(bool saveAllData) {
  for (PendingData& pending : pending_)
    tree_.SetEntryData(*pending.node, std::move(pending.record), saveAllData);
}

}  // namespace

FormatOptions MenuFromJson(const Json& json, const JsonMenuItems& items, MenuTree& tree) {
  try {
    return MenuReader(items, tree).Read(JsonField(json, ""));
  } catch (const JsonMenuError&) {
    EmptyTree(tree);
    throw;
  }
}

}  // namespace menuforge::cli

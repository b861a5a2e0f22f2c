#include "menu_json/change_list_json.h"

#include <array>

#include "menu/mma_format.h"
#include "menu/record_size.h"
#include "menu_json/json_chunk_reader.h"
#include "menu_json/json_field.h"
#include "menu_json/json_keys.h"

namespace menuforge::cli {
namespace {

using namespace json_keys;

constexpr char kEntries[] = "entries";
constexpr char kChange[] = "change";
constexpr char kFields[] = "fields";
constexpr char kField[] = "field";
constexpr char kBefore[] = "before";
constexpr char kLabel[] = "label";
constexpr char kAfter[] = "after";
constexpr char kBeforeData[] = "before-data";
constexpr char kAfterData[] = "after-data";
constexpr char kPathKey[] = "path";
constexpr char kFrom[] = "from";
constexpr char kTo[] = "to";
constexpr char kPosition[] = "position";
constexpr char kBase[] = "base";
constexpr char kEntry[] = "entry";
constexpr char kParentRef[] = "parent";
constexpr char kPrevious[] = "previous";
constexpr char kSubitems[] = "subitems";
constexpr char kRoot[] = "root";
constexpr char kAdded[] = "added";
constexpr char kAt[] = "at";
constexpr char kNames[] = "names";
constexpr char kIdentifier[] = "identifier";

constexpr std::array<const char*, 4> kChangeNames = {"added", "removed", "moved", "changed"};
constexpr std::array<EntryChange, 4> kChanges = {EntryChange::Added, EntryChange::Removed,
                                                 EntryChange::Moved, EntryChange::Changed};
// A path runs from the top through folders no deeper than the entries a menu holds.
constexpr std::size_t kDeepestPath = kMaxMenuEntries + 2;
// Every entry of two full menus, each removed and added again.
constexpr std::size_t kMostChanges = 4 * (kMaxMenuEntries + kFixedNodeCount);
// Record bytes, the item name, and every title and unknown chunk of a full entry.
constexpr std::size_t kMostFields = 4 + kMaxSlots * kMaxTitlesPerSlot;
constexpr std::size_t kNameWidth = RecordLayout::For(RecordSize::k36).nameWidth;

constexpr char kNotChange[] = "expected \"added\", \"removed\", \"moved\" or \"changed\"";
constexpr char kNotEarlierAddition[] = "names no addition made before this change";
constexpr char kWrongContent[] = "does not hold what the field names";
constexpr char kNotFirstMenuEntry[] = "expected an entry of the first menu";
constexpr char kNamesDiffer[] = "needs as many names as indexes";
constexpr char kNameTooLong[] = "an item name holds at most 25 characters";
constexpr char kFormatField[] = "expected a format field and its values as diff gives them";

// ---- writing ----

Json RefToJson(const ChangeTarget& target) {
  switch (target.kind) {
    case ChangeTarget::Kind::None: return nullptr;
    case ChangeTarget::Kind::MenuRoot: return {{kRoot, true}};
    case ChangeTarget::Kind::Added: return {{kAdded, target.added}};
    case ChangeTarget::Kind::Entry:
      return {{kAt, target.place.path},
              {kNames, target.place.names},
              {kIdentifier, Latin1ToUtf8(target.identifier)}};
  }
  return nullptr;
}

Json ContentToJson(const std::optional<FieldContent>& content) {
  if (!content) return nullptr;
  return std::visit(Overloaded{
                        [](std::uint8_t byte) { return Json(byte); },
                        [](const std::string& name) { return Json(Latin1ToUtf8(name)); },
                        [](const ChunkSlot& slot) { return ChunkToJson(slot); },
                    },
                    *content);
}

Json EntryToJson(const CarriedEntry& entry) {
  Json data = Json::array();
  if (entry.data)
    for (const ChunkSlot& slot : entry.data->slots) data.push_back(ChunkToJson(slot));
  return {{kName, Latin1ToUtf8(entry.record.itemName)},
          {kDisplay, Latin1ToUtf8(entry.displayText)},
          {kType, entry.record.itemType},
          {kTitleMode, entry.record.titleMode},
          {kAttribute, entry.record.attributeByte},
          {kSubitems, entry.record.mayHaveSubitems},
          {kData, std::move(data)}};
}

// ---- reading ----

EntryChange ReadChange(const JsonField& field) {
  for (std::size_t i = 0; i < kChangeNames.size(); ++i)
    if (field.String() == kChangeNames[i]) return kChanges[i];
  field.Fail(kNotChange);
}

std::string ReadName(const JsonField& field) {
  std::string name = field.Latin1();
  if (name.size() > kNameWidth) field.Fail(kNameTooLong);
  return name;
}

std::vector<std::string> ReadNames(const JsonField& field) {
  std::vector<std::string> names;
  for (const JsonField& name : field.Elements(kDeepestPath, "names"))
    names.push_back(name.String());
  return names;
}

ChangeTarget ReadRef(const JsonField& field, std::size_t changeIndex,
                     const std::vector<CarriedChange>& earlier) {
  ChangeTarget target;
  if (field.IsNull()) return target;
  if (field.Has(kRoot)) {
    field.ExpectObject({kRoot});
    field.Member(kRoot).Bool();
    target.kind = ChangeTarget::Kind::MenuRoot;
  } else if (field.Has(kAdded)) {
    field.ExpectObject({kAdded});
    const JsonField added = field.Member(kAdded);
    target.kind = ChangeTarget::Kind::Added;
    target.added = added.Unsigned(kMostChanges);
    if (target.added >= changeIndex || earlier[target.added].change != EntryChange::Added)
      added.Fail(kNotEarlierAddition);
  } else {
    field.ExpectObject({kAt, kNames, kIdentifier});
    target.kind = ChangeTarget::Kind::Entry;
    for (const JsonField& index : field.Member(kAt).Elements(kDeepestPath, "indexes"))
      target.place.path.push_back(index.Unsigned(kMaxMenuEntries + kFixedNodeCount));
    target.place.names = ReadNames(field.Member(kNames));
    if (target.place.names.size() != target.place.path.size() || target.place.path.empty())
      field.Fail(kNamesDiffer);
    target.identifier = ReadName(field.Member(kIdentifier));
  }
  return target;
}

std::optional<ChangeTarget> ReadOptionalRef(const JsonField& entry, const char* key,
                                            std::size_t changeIndex,
                                            const std::vector<CarriedChange>& earlier) {
  const auto field = entry.OptionalMember(key);
  if (!field) return std::nullopt;
  return ReadRef(*field, changeIndex, earlier);
}

std::optional<FieldContent> ReadContent(const JsonField& field, const std::string& name) {
  std::optional<FieldContent> content;
  if (field.IsNull()) return content;
  if (field.IsNumber())
    content = field.Byte();
  else if (field.IsString())
    content = ReadName(field);
  else
    content = ChunkFromJson(field);
  if (!FitsField(name, *content)) field.Fail(kWrongContent);
  return content;
}

CarriedEntry ReadEntry(const JsonField& field) {
  field.ExpectObject({kName, kDisplay, kType, kTitleMode, kAttribute, kSubitems, kData});
  CarriedEntry entry;
  entry.record.itemName = ReadName(field.Member(kName));
  entry.displayText = field.Member(kDisplay).Latin1();
  entry.record.itemType = field.Member(kType).Byte();
  entry.record.titleMode = field.Member(kTitleMode).Byte();
  entry.record.attributeByte = field.Member(kAttribute).Byte();
  entry.record.mayHaveSubitems = field.Member(kSubitems).Bool();
  ItemDataRecord data;
  for (const JsonField& chunk : field.Member(kData).Elements(kMaxSlots, "chunks"))
    data.slots.push_back(ChunkFromJson(chunk));
  if (!data.slots.empty()) entry.data = std::move(data);
  return entry;
}

FieldEdit ReadFieldEdit(const JsonField& field) {
  field.ExpectObject({kField, kLabel, kBefore, kAfter, kBeforeData, kAfterData});
  FieldEdit edit;
  edit.field = field.Member(kField).String();
  edit.label = field.Has(kLabel) ? field.Member(kLabel).String() : edit.field;
  edit.before = ReadContent(field.Member(kBeforeData), edit.field);
  edit.after = ReadContent(field.Member(kAfterData), edit.field);
  return edit;
}

std::vector<FieldDifference> ReadFormat(const JsonField& format) {
  std::vector<FieldDifference> fields;
  for (const JsonField& field : format.Elements(4, "format fields")) {
    FieldDifference shown;
    shown.field = field.Member(kField).String();
    shown.label = field.Has(kLabel) ? field.Member(kLabel).String() : shown.field;
    shown.before = FieldValue{field.Member(kBefore).String(), false, {}};
    shown.after = FieldValue{field.Member(kAfter).String(), false, {}};
    const bool size = shown.field == "record-size";
    const bool flag = shown.field == "c698p-fix" || shown.field == "save-all-data";
    const bool icon = shown.field == "icon-attribute";
    auto valid = [&](const std::string& v) {
      return (size && (v == "22" || v == "36")) || (flag && (v == "on" || v == "off")) ||
             (icon && (v == "06" || v == "0C"));
    };
    if (!valid(shown.before->text) || !valid(shown.after->text)) field.Fail(kFormatField);
    fields.push_back(std::move(shown));
  }
  return fields;
}

EntryPlace ReadShown(const JsonField& entry, EntryChange change) {
  EntryPlace place;
  place.names = ReadNames(entry.Member(kPathKey));
  if (place.names.empty()) entry.Member(kPathKey).Fail(kNamesDiffer);
  const JsonField where = entry.Member(change == EntryChange::Removed ? kFrom : kTo);
  const std::uint64_t position = where.Member(kPosition).Unsigned(kMaxMenuEntries + 1);
  place.path.assign(place.names.size() - 1, 0);
  place.path.push_back(position > 0 ? position - 1 : 0);
  return place;
}

CarriedChange ReadCarried(const JsonField& entry, std::size_t index,
                          const std::vector<CarriedChange>& earlier) {
  CarriedChange change;
  change.change = ReadChange(entry.Member(kChange));
  change.shown = ReadShown(entry, change.change);
  if (change.change != EntryChange::Added)
    change.entry = ReadRef(entry.Member(kBase), index, earlier);
  if (change.change != EntryChange::Added && (change.entry.kind == ChangeTarget::Kind::None ||
                                              change.entry.kind == ChangeTarget::Kind::Added))
    entry.Member(kBase).Fail(kNotFirstMenuEntry);
  change.content = ReadEntry(entry.Member(kEntry));
  if (change.change != EntryChange::Removed) {
    change.parent = ReadRef(entry.Member(kParentRef), index, earlier);
    if (auto previous = ReadOptionalRef(entry, kPrevious, index, earlier))
      change.previous = std::move(*previous);
  }
  for (const JsonField& field : entry.Member(kFields).Elements(kMostFields, kFields))
    change.fields.push_back(ReadFieldEdit(field));
  return change;
}

}  // namespace

Json CarriedEntryMembers(const CarriedChange& change) {
  Json members = Json::object();
  if (change.change != EntryChange::Added) members[kBase] = RefToJson(change.entry);
  members[kEntry] = EntryToJson(change.content);
  if (change.change != EntryChange::Removed) {
    members[kParentRef] = RefToJson(change.parent);
    members[kPrevious] = RefToJson(change.previous);
  }
  return members;
}

Json CarriedFieldMembers(const FieldEdit& edit) {
  return {{kBeforeData, ContentToJson(edit.before)}, {kAfterData, ContentToJson(edit.after)}};
}

ChangeList ChangeListFromJson(const Json& document) {
  const JsonField root(document, "");
  ChangeList list;
  list.format = ReadFormat(root.Member(kFormat));
  const std::vector<JsonField> entries = root.Member(kEntries).Elements(kMostChanges, kEntries);
  for (std::size_t i = 0; i < entries.size(); ++i)
    list.entries.push_back(ReadCarried(entries[i], i, list.entries));
  return list;
}

}  // namespace menuforge::cli

#include "menu/field_content.h"

#include <algorithm>

namespace menuforge {
namespace {

constexpr char kTypeField[] = "type";
constexpr char kTitleModeField[] = "title-mode";
constexpr char kAttributesField[] = "attributes";

std::uint8_t* RecordByteOf(NodeRecord& record, std::string_view field) {
  if (field == kTypeField) return &record.itemType;
  if (field == kTitleModeField) return &record.titleMode;
  if (field == kAttributesField) return &record.attributeByte;
  return nullptr;
}

std::string_view WithoutRepeat(std::string_view field) {
  const std::size_t hash = field.rfind('#');
  return hash == std::string_view::npos ? field : field.substr(0, hash);
}

// Where a field of the data lies, as indexes, so that it can still be found once the data moves.
struct FieldSpot {
  std::size_t slot = 0;
  std::size_t item = 0;
};

std::optional<FieldSpot> SpotOf(const NodeRecord& record, const ItemDataRecord& data,
                                std::string_view field) {
  for (const EntryField& entry : EntryFields(record, &data))
    if (entry.slot && entry.Name() == field)
      return FieldSpot{static_cast<std::size_t>(entry.slot - data.slots.data()), entry.item};
  return std::nullopt;
}

// Takes the field out; returns where the next one of its kind belongs.
FieldSpot Remove(ItemDataRecord& data, const FieldSpot& spot) {
  ChunkSlot& slot = data.slots[spot.slot];
  bool emptied = true;
  if (auto* titles = std::get_if<TitlesChunk>(&slot.content)) {
    titles->titles.erase(titles->titles.begin() + static_cast<std::ptrdiff_t>(spot.item));
    emptied = titles->titles.empty();
  } else if (auto* group = std::get_if<UnknownGroupChunk>(&slot.content)) {
    group->chunks.erase(group->chunks.begin() + static_cast<std::ptrdiff_t>(spot.item));
    emptied = group->chunks.empty();
  }
  if (emptied) {
    data.slots.erase(data.slots.begin() + static_cast<std::ptrdiff_t>(spot.slot));
    return {spot.slot, 0};
  }
  return spot;
}

// The slot a title or unknown chunk joins: the one of its list or group.
std::optional<std::size_t> SlotToJoin(const ItemDataRecord& data, const ChunkSlot& added) {
  for (std::size_t i = 0; i < data.slots.size(); ++i) {
    const ChunkContent& held = data.slots[i].content;
    if (const auto* titles = added.As<TitlesChunk>()) {
      const auto* heldTitles = std::get_if<TitlesChunk>(&held);
      if (heldTitles && heldTitles->list == titles->list) return i;
    } else if (added.As<UnknownGroupChunk>() && std::holds_alternative<UnknownGroupChunk>(held)) {
      return i;
    }
  }
  return std::nullopt;
}

template <typename Chunk, typename Items>
void Join(ChunkSlot& slot, const ChunkSlot& added, Items Chunk::*items, std::size_t at) {
  auto& into = std::get<Chunk>(slot.content).*items;
  const auto& from = std::get<Chunk>(added.content).*items;
  at = std::min(at, into.size());
  into.insert(into.begin() + static_cast<std::ptrdiff_t>(at), from.begin(), from.end());
}

void Add(ItemDataRecord& data, const ChunkSlot& added, std::optional<FieldSpot> removed) {
  if (const std::optional<std::size_t> join = SlotToJoin(data, added)) {
    const std::size_t at = removed && removed->slot == *join ? removed->item : SIZE_MAX;
    if (added.As<TitlesChunk>())
      Join(data.slots[*join], added, &TitlesChunk::titles, at);
    else
      Join(data.slots[*join], added, &UnknownGroupChunk::chunks, at);
    return;
  }
  const std::size_t at = removed ? std::min(removed->slot, data.slots.size()) : data.slots.size();
  data.slots.insert(data.slots.begin() + static_cast<std::ptrdiff_t>(at), added);
}

}  // namespace

FieldContent ContentOf(const EntryField& field) {
  if (!field.slot) {
    NodeRecord record = *field.record;
    return *RecordByteOf(record, field.Name());
  }
  return std::visit(Overloaded{
                        [&](const TitlesChunk& chunk) {
                          return ChunkSlot::Titles(chunk.list, {chunk.titles[field.item]});
                        },
                        [&](const UnknownGroupChunk& group) {
                          return ChunkSlot::UnknownGroup({group.chunks[field.item]});
                        },
                        [&](const auto&) { return *field.slot; },
                    },
                    field.slot->content);
}

std::optional<FieldContent> FieldContentOf(const NodeRecord& record, const ItemDataRecord* data,
                                           std::string_view field) {
  if (field == kItemFieldName) return record.itemName;
  for (const EntryField& entry : EntryFields(record, data))
    if (entry.Name() == field) return ContentOf(entry);
  return std::nullopt;
}

bool FitsField(std::string_view field, const FieldContent& content) {
  if (field == kItemFieldName) return std::holds_alternative<std::string>(content);
  NodeRecord record;
  if (RecordByteOf(record, field)) return std::holds_alternative<std::uint8_t>(content);
  const ChunkSlot* slot = std::get_if<ChunkSlot>(&content);
  if (!slot) return false;
  const ItemDataRecord data{0, {*slot}};
  const std::vector<EntryField> fields = EntryFields(record, &data);
  // The record's own three fields come first; one more is the chunk's single field.
  return fields.size() == 4 && fields.back().Name() == WithoutRepeat(field);
}

std::optional<FieldValue> ShownContent(std::string_view field,
                                       const std::optional<FieldContent>& content) {
  if (!content) return std::nullopt;
  if (const auto* name = std::get_if<std::string>(&*content))
    return FieldValue{Latin1ToUtf8(*name), true, {}};
  NodeRecord record;
  std::optional<ItemDataRecord> data;
  SetField(record, data, field, content);
  for (const EntryField& entry : EntryFields(record, data ? &*data : nullptr))
    if (entry.Name() == WithoutRepeat(field)) return entry.Value();
  return std::nullopt;
}

void SetField(NodeRecord& record, std::optional<ItemDataRecord>& data, std::string_view field,
              const std::optional<FieldContent>& content) {
  if (field == kItemFieldName) {
    if (content) record.itemName = std::get<std::string>(*content);
    return;
  }
  if (std::uint8_t* byte = RecordByteOf(record, field)) {
    if (content) *byte = std::get<std::uint8_t>(*content);
    return;
  }
  std::optional<FieldSpot> removed;
  if (data)
    if (const std::optional<FieldSpot> spot = SpotOf(record, *data, field))
      removed = Remove(*data, *spot);
  if (content) {
    if (!data) data.emplace();
    Add(*data, std::get<ChunkSlot>(*content), removed);
  }
  if (data && data->slots.empty()) data.reset();
}

}  // namespace menuforge

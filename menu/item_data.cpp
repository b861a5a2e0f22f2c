#include "menu/item_data.h"

#include <algorithm>

namespace menuforge {

namespace {

// Each kind's tags, in the order of its enumeration.
constexpr std::array<std::uint8_t, 3> kTitleTags = {kTagMenuTitle, kTagSoftkeyTitle, kTagShowText};
constexpr std::array<std::uint8_t, 4> kTextTags = {kTagUrl, kTagMidlet1, kTagMidletName,
                                                   kTagMidletVendor};
constexpr std::array<std::uint8_t, 3> kDrmIconTags = {kTagDrmListIcon, kTagDrmStaticIcon,
                                                      kTagDrmAnimatedIcon};
constexpr std::array<std::uint8_t, 3> kCodeTags = {kTagCode12, kTagCode13, kTagCode14};

template <typename Kind, std::size_t N>
std::optional<Kind> KindOfTag(const std::array<std::uint8_t, N>& tags, std::uint8_t tag) {
  const auto found = std::find(tags.begin(), tags.end(), tag);
  if (found == tags.end()) return std::nullopt;
  return static_cast<Kind>(found - tags.begin());
}

template <typename Kind, std::size_t N>
std::uint8_t TagOfKind(const std::array<std::uint8_t, N>& tags, Kind kind) {
  return tags[static_cast<std::size_t>(kind)];
}

}  // namespace

bool IsKnownFileTag(std::uint8_t tag) {
  return tag == kTagFileIcon06 || (tag != kTagUnknownGroup && ChunkOfTag(tag).has_value());
}

std::optional<ChunkSlot> ChunkOfTag(std::uint8_t tag) {
  if (const auto list = KindOfTag<TitleList>(kTitleTags, tag))
    return ChunkSlot{TitlesChunk{*list, {}}};
  if (const auto field = KindOfTag<TextField>(kTextTags, tag))
    return ChunkSlot{TextChunk{*field, {}}};
  if (const auto kind = KindOfTag<DrmIconKind>(kDrmIconTags, tag))
    return ChunkSlot{DrmIconChunk{*kind}};
  if (const auto code = KindOfTag<CallCode>(kCodeTags, tag)) return ChunkSlot{CodeChunk{*code}};
  switch (tag) {
    case kTagFileIcon: return ChunkSlot{FileIconChunk{}};
    case kTagEmulatedAction: return ChunkSlot{ActionChunk{}};
    case kTagShortcutData: return ChunkSlot{ShortcutChunk{}};
    case kTagUnknownGroup: return ChunkSlot{UnknownGroupChunk{}};
    default: return std::nullopt;
  }
}

std::uint8_t ChunkSlot::tag() const {
  return std::visit(
      Overloaded{
          [](const TitlesChunk& chunk) { return TagOfKind(kTitleTags, chunk.list); },
          [](const FileIconChunk&) { return std::uint8_t{kTagFileIcon}; },
          [](const TextChunk& chunk) { return TagOfKind(kTextTags, chunk.field); },
          [](const DrmIconChunk& chunk) { return TagOfKind(kDrmIconTags, chunk.kind); },
          [](const CodeChunk& chunk) { return TagOfKind(kCodeTags, chunk.code); },
          [](const ActionChunk&) { return std::uint8_t{kTagEmulatedAction}; },
          [](const ShortcutChunk&) { return std::uint8_t{kTagShortcutData}; },
          [](const UnknownGroupChunk&) { return std::uint8_t{kTagUnknownGroup}; },
      },
      content);
}

std::size_t ChunkSlot::length() const {
  return std::visit(Overloaded{
                        [](const TitlesChunk& chunk) {
                          std::size_t n = 1 + 4 * chunk.titles.size();
                          for (const auto& title : chunk.titles) n += title.text.size() * 2 + 2;
                          return n;
                        },
                        [](const FileIconChunk& chunk) { return chunk.path.size() * 2 + 3; },
                        [](const TextChunk& chunk) { return chunk.text.size() + 1; },
                        [](const DrmIconChunk&) { return std::size_t{4}; },
                        [](const CodeChunk&) { return std::size_t{1}; },
                        [](const ActionChunk&) { return std::size_t{2}; },
                        [](const ShortcutChunk&) { return kShortcutDataBytes; },
                        [](const UnknownGroupChunk& group) {
                          std::size_t n = 0;
                          for (const auto& chunk : group.chunks) n += 3 + chunk.data.size();
                          return n;
                        },
                    },
                    content);
}

ChunkSlot ChunkSlot::Titles(TitleList list, std::vector<TitleEntry> titles) {
  return {TitlesChunk{list, std::move(titles)}};
}

ChunkSlot ChunkSlot::FileIcon(std::uint8_t kind, std::u16string path) {
  return {FileIconChunk{kind, std::move(path)}};
}

ChunkSlot ChunkSlot::Text(TextField field, std::string text) {
  return {TextChunk{field, std::move(text)}};
}

ChunkSlot ChunkSlot::DrmIcon(DrmIconKind kind, std::uint8_t drmByte, std::uint16_t number) {
  return {DrmIconChunk{kind, drmByte, number}};
}

ChunkSlot ChunkSlot::Code(CallCode code, std::uint8_t value) { return {CodeChunk{code, value}}; }

ChunkSlot ChunkSlot::Action(std::uint16_t code) { return {ActionChunk{code}}; }

ChunkSlot ChunkSlot::Shortcut(std::string_view identifier) {
  ShortcutChunk chunk;
  const std::size_t n = std::min(identifier.size(), kShortcutDataBytes - 1);
  std::copy_n(identifier.begin(), n, chunk.data.begin());
  return {chunk};
}

ChunkSlot ChunkSlot::UnknownGroup(std::vector<UnknownChunk> chunks) {
  return {UnknownGroupChunk{std::move(chunks)}};
}

std::size_t DataLength(const ItemDataRecord* record, bool saveAllData) {
  if (!record) return 0;
  std::size_t n = 0;
  for (const auto& slot : record->slots) {
    if (!slot.As<UnknownGroupChunk>())
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

#include "menu/entry_fields.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/text_encoding.h"
#include "menu/languages.h"

namespace menuforge {
namespace {

// The first sort key of each kind of field.
enum Rank : std::uint64_t {
  kRankType,
  kRankTitleMode,
  kRankAttributes,
  kRankTitles,  // + the list
  kRankFileIcon = kRankTitles + 3,
  kRankDrmIcon,
  kRankText,
  kRankCode,
  kRankAction,
  kRankShortcut,
  kRankUnknown,
};
constexpr int kRankShift = 40;
const std::vector<ChunkSlot> kNoSlots;
constexpr int kSubShift = 16;

constexpr std::array<const char*, 3> kTitleListNames = {"title", "softkey-title", "text"};
constexpr std::array<const char*, 3> kDrmKindNames = {"list", "static", "animated"};
constexpr std::array<const char*, 4> kTextFieldNames = {"url", "midlet-1", "midlet-name",
                                                        "midlet-vendor"};
constexpr std::array<const char*, 3> kCodeNames = {"code-12", "code-13", "code-14"};

template <std::size_t N, typename Kind>
std::string NameOf(const std::array<const char*, N>& names, Kind kind) {
  return names[static_cast<std::size_t>(kind)];
}

std::uint64_t Order(std::uint64_t rank, std::uint64_t sub) {
  return rank << kRankShift | sub << kSubShift;
}

std::string Hex(std::uint8_t byte) { return "0x" + ByteToHex(byte); }

FieldValue Plain(std::string text) { return {std::move(text), false}; }
FieldValue Text(std::string utf8) { return {std::move(utf8), true}; }

// UCS-2 holding surrogates has no faithful UTF-8 form (the file knows no pairs).
FieldValue WideText(std::u16string_view text) {
  const bool surrogate =
      std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0xD800 && c <= 0xDFFF; });
  if (!surrogate) return Text(WideToUtf8(text));
  std::string hex = "ucs2=";
  for (char16_t c : text)
    hex += ByteToHex(static_cast<std::uint8_t>(c >> 8)) + ByteToHex(static_cast<std::uint8_t>(c));
  return Plain(std::move(hex));
}

std::string LanguageLabel(std::uint8_t languageId) {
  const std::string_view name = LanguageName(languageId);
  return name.empty() ? "language " + Hex(languageId) : std::string(name);
}

std::string IconKindLabel(std::uint8_t kind) {
  switch (kind) {
    case kListIcon: return "list";
    case kStaticIcon: return "static";
    case kAnimatedIcon: return "animated";
    default: return Hex(kind);
  }
}

FieldValue ShortcutValue(const ShortcutChunk& chunk) {
  const std::string text = ZeroTextToString(chunk.data);
  // Bytes behind the terminator that a written identifier would not leave are shown as they are.
  if (ChunkSlot::Shortcut(text) == ChunkSlot{chunk}) return Text(Latin1ToUtf8(text));
  return Plain(BytesToHex(chunk.data));
}

void Mix(std::uint64_t& hash, const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ p[i]) * 1099511628211ull;
}

template <typename Value>
void MixValue(std::uint64_t& hash, const Value& value) {
  Mix(hash, &value, sizeof value);
}

// Eight bytes a step: texts are long, and the hash only has to tell unequal data apart.
template <typename Text>
void MixText(std::uint64_t& hash, const Text& text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size() * sizeof text[0];
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    hash = (hash ^ word) * 1099511628211ull;
  }
  Mix(hash, bytes + i, size - i);
  MixValue(hash, size);
}

// The byte a record field shows.
std::uint8_t RecordByte(const NodeRecord& record, std::uint64_t order) {
  const auto rank = order >> kRankShift;
  return rank == kRankType        ? record.itemType
         : rank == kRankTitleMode ? record.titleMode
                                  : record.attributeByte;
}

}  // namespace

std::string EntryField::Name() const {
  std::string name;
  if (!slot) {
    const auto rank = order >> kRankShift;
    name = rank == kRankType ? "type" : rank == kRankTitleMode ? "title-mode" : "attributes";
  } else {
    name = std::visit(
        Overloaded{
            [&](const TitlesChunk& chunk) {
              return NameOf(kTitleListNames, chunk.list) + '[' +
                     LanguageLabel(chunk.titles[item].languageId) + ']';
            },
            [](const FileIconChunk& chunk) { return "icon[" + IconKindLabel(chunk.kind) + ']'; },
            [](const TextChunk& chunk) { return NameOf(kTextFieldNames, chunk.field); },
            [](const DrmIconChunk& chunk) {
              return "drm-icon[" + NameOf(kDrmKindNames, chunk.kind) + ']';
            },
            [](const CodeChunk& chunk) { return NameOf(kCodeNames, chunk.code); },
            [](const ActionChunk&) { return std::string("action"); },
            [](const ShortcutChunk&) { return std::string("shortcut"); },
            [&](const UnknownGroupChunk& group) {
              return "unknown[tag " + std::to_string(group.chunks[item].tag) + ']';
            },
        },
        slot->content);
  }
  return repeat > 1 ? name + '#' + std::to_string(repeat) : name;
}

FieldValue EntryField::Value() const {
  if (!slot) {
    const auto rank = order >> kRankShift;
    if (rank == kRankType) return Plain(ItemTypeName(record->itemType));
    if (rank == kRankTitleMode) return Plain(std::to_string(record->titleMode));
    return Plain(Hex(record->attributeByte));
  }
  return std::visit(
      Overloaded{
          [&](const TitlesChunk& chunk) { return WideText(chunk.titles[item].text); },
          [](const FileIconChunk& chunk) { return WideText(chunk.path); },
          [](const TextChunk& chunk) { return Text(Latin1ToUtf8(chunk.text)); },
          [](const DrmIconChunk& chunk) {
            return Plain(std::to_string(chunk.number) + " (byte " + Hex(chunk.drmByte) + ')');
          },
          [](const CodeChunk& chunk) { return Plain(Hex(chunk.value)); },
          [](const ActionChunk& chunk) { return Plain(std::to_string(chunk.code)); },
          [](const ShortcutChunk& chunk) { return ShortcutValue(chunk); },
          [&](const UnknownGroupChunk& group) {
            const Bytes& data = group.chunks[item].data;
            return Plain(data.empty() ? "empty" : BytesToHex(data));
          },
      },
      slot->content);
}

bool EntryField::SameValue(const EntryField& other) const {
  if (!slot || !other.slot)
    return !slot && !other.slot && RecordByte(*record, order) == RecordByte(*other.record, order);
  if (slot->content.index() != other.slot->content.index()) return false;
  return std::visit(
      Overloaded{
          [&](const TitlesChunk& chunk) {
            return chunk.titles[item].text ==
                   std::get<TitlesChunk>(other.slot->content).titles[other.item].text;
          },
          [&](const UnknownGroupChunk& group) {
            return group.chunks[item].data ==
                   std::get<UnknownGroupChunk>(other.slot->content).chunks[other.item].data;
          },
          [&](const auto& chunk) {
            return chunk == std::get<std::decay_t<decltype(chunk)>>(other.slot->content);
          },
      },
      slot->content);
}

void EntryField::Hash(std::uint64_t& hash) const {
  MixValue(hash, order);
  if (!slot) {
    MixValue(hash, RecordByte(*record, order));
    return;
  }
  std::visit(Overloaded{
                 [&](const TitlesChunk& chunk) { MixText(hash, chunk.titles[item].text); },
                 [&](const FileIconChunk& chunk) { MixText(hash, chunk.path); },
                 [&](const TextChunk& chunk) { MixText(hash, chunk.text); },
                 [&](const DrmIconChunk& chunk) {
                   MixValue(hash, chunk.drmByte);
                   MixValue(hash, chunk.number);
                 },
                 [&](const CodeChunk& chunk) { MixValue(hash, chunk.value); },
                 [&](const ActionChunk& chunk) { MixValue(hash, chunk.code); },
                 [&](const ShortcutChunk& chunk) { MixText(hash, chunk.data); },
                 [&](const UnknownGroupChunk& group) { MixText(hash, group.chunks[item].data); },
             },
             slot->content);
}

std::string ItemTypeName(std::uint8_t itemType) {
  switch (itemType) {
    case kPlainItem: return "plain";
    case kFolder: return "folder";
    case kUrlLink: return "url";
    case kCallNumber: return "call";
    case kSendMessage: return "message";
    case kApplicationStart: return "application";
    case kShowText: return "text";
    case kEmulatedAction: return "action";
    case kShortcut: return "shortcut";
    default: return std::to_string(itemType);
  }
}

std::vector<EntryField> EntryFields(const NodeRecord& record, const ItemDataRecord* data) {
  std::vector<EntryField> fields;
  fields.reserve(8);
  for (const std::uint64_t rank : {kRankType, kRankTitleMode, kRankAttributes})
    fields.push_back({Order(rank, 0), &record});
  auto add = [&](std::uint64_t rank, std::uint64_t sub, const ChunkSlot& slot,
                 std::size_t item = 0) {
    fields.push_back({Order(rank, sub), nullptr, &slot, item});
  };
  for (const ChunkSlot& slot : data ? data->slots : kNoSlots) {
    std::visit(Overloaded{
                   [&](const TitlesChunk& chunk) {
                     for (std::size_t i = 0; i < chunk.titles.size(); ++i)
                       add(kRankTitles + static_cast<std::uint64_t>(chunk.list),
                           chunk.titles[i].languageId, slot, i);
                   },
                   [&](const FileIconChunk& chunk) { add(kRankFileIcon, chunk.kind, slot); },
                   [&](const TextChunk& chunk) {
                     add(kRankText, static_cast<std::uint64_t>(chunk.field), slot);
                   },
                   [&](const DrmIconChunk& chunk) {
                     add(kRankDrmIcon, static_cast<std::uint64_t>(chunk.kind), slot);
                   },
                   [&](const CodeChunk& chunk) {
                     add(kRankCode, static_cast<std::uint64_t>(chunk.code), slot);
                   },
                   [&](const ActionChunk&) { add(kRankAction, 0, slot); },
                   [&](const ShortcutChunk&) { add(kRankShortcut, 0, slot); },
                   [&](const UnknownGroupChunk& group) {
                     for (std::size_t i = 0; i < group.chunks.size(); ++i)
                       add(kRankUnknown, group.chunks[i].tag, slot, i);
                   },
               },
               slot.content);
  }
  // Stable, without the buffer std::stable_sort takes: an entry has few fields, mostly in order.
  for (std::size_t i = 1; i < fields.size(); ++i)
    for (std::size_t j = i; j > 0 && fields[j].order < fields[j - 1].order; --j)
      std::swap(fields[j], fields[j - 1]);
  for (std::size_t i = 1; i < fields.size(); ++i) {
    if ((fields[i].order >> kSubShift) != (fields[i - 1].order >> kSubShift)) continue;
    fields[i].repeat = fields[i - 1].repeat + 1;
    fields[i].order = fields[i - 1].order + 1;
  }
  return fields;
}

}  // namespace menuforge

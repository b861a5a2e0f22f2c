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
  kRankDropped,
};
constexpr int kRankShift = 40;
const std::vector<ChunkSlot> kNoSlots;
constexpr int kSubShift = 16;

constexpr std::array<const char*, 3> kTitleListNames = {"title", "softkey-title", "text"};
constexpr std::array<const char*, 3> kDrmKindNames = {"list", "static", "animated"};
constexpr std::array<const char*, 4> kTextFieldNames = {"url", "midlet-1", "midlet-name",
                                                        "midlet-vendor"};
constexpr std::array<const char*, 3> kCodeNames = {"code-12", "code-13", "code-14"};

// The same fields as the item editor names them.
constexpr std::array<const char*, 3> kTitleListLabels = {"Menu title", "Softkey title",
                                                         "Show text"};
constexpr std::array<const char*, 3> kDrmKindLabels = {"List icon", "Static icon", "Animated icon"};
constexpr std::array<const char*, 4> kTextFieldLabels = {"URL link", "MIDlet-1", "MIDlet name",
                                                         "MIDlet vendor"};
constexpr std::array<const char*, 3> kCodeLabels = {"Code 0x12", "Code 0x13", "Code 0x14"};
constexpr char kDroppedLabel[] = "data loading drops";
constexpr char kNoAttributesWords[] = "none checked";

template <std::size_t N, typename Kind>
std::string NameOf(const std::array<const char*, N>& names, Kind kind) {
  return names[static_cast<std::size_t>(kind)];
}

std::uint64_t Order(std::uint64_t rank, std::uint64_t sub) {
  return rank << kRankShift | sub << kSubShift;
}

std::string Hex(std::uint8_t byte) { return "0x" + ByteToHex(byte); }

FieldValue Plain(std::string text) { return {std::move(text), false, {}}; }
FieldValue Text(std::string utf8) { return {std::move(utf8), true, {}}; }
FieldValue Worded(std::string text, const std::string& words, const std::string& raw) {
  return {std::move(text), false, words.empty() ? std::string() : words + " (" + raw + ')'};
}

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

std::string IconKindWords(std::uint8_t kind) {
  switch (kind) {
    case kListIcon: return "List icon";
    case kStaticIcon: return "Static icon";
    case kAnimatedIcon: return "Animated icon";
    default: return "icon of kind " + Hex(kind);
  }
}

// The entries of "Item function:"; a folder has none to choose.
std::string FunctionWords(std::uint8_t itemType) {
  switch (itemType) {
    case kPlainItem: return "[None]";
    case kFolder: return "folder";
    case kUrlLink: return "URL link";
    case kCallNumber: return "Call/Send: Call";
    case kSendMessage: return "Call/Send: Send";
    case kApplicationStart: return "Application start";
    case kShowText: return "Show text";
    case kEmulatedAction: return "Emulate action";
    case kShortcut: return "Shortcut";
    default: return {};
  }
}

std::string TitleModeWords(std::uint8_t titleMode) {
  switch (titleMode) {
    case kTitleModePlaced: return "the phone's own";
    case kTitleModeOwnTitle: return "its own titles";
    case kTitleModeCustom: return "its own titles, as a custom entry";
    default: return {};
  }
}

// The attribute check boxes that are checked.
std::string AttributeWords(std::uint8_t attributes) {
  std::string words;
  for (const auto& [bit, box] :
       {std::pair{kAttributeLockable, "Lockable"}, std::pair{kAttributeProtected, "Protected"},
        std::pair{kAttributeNonChangeable, "Non-changeable"}})
    if (attributes & bit) words += (words.empty() ? "" : ", ") + std::string(box);
  return words.empty() ? kNoAttributesWords : words;
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
  if (dropped) {
    name = "dropped";
  } else if (!slot) {
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

std::string EntryField::Label() const {
  std::string label;
  if (dropped) {
    label = kDroppedLabel;
  } else if (!slot) {
    const auto rank = order >> kRankShift;
    label = rank == kRankType        ? "Item function"
            : rank == kRankTitleMode ? "title shown"
                                     : "Item attributes";
  } else {
    label =
        std::visit(Overloaded{
                       [&](const TitlesChunk& chunk) {
                         return NameOf(kTitleListLabels, chunk.list) + " (" +
                                LanguageLabel(chunk.titles[item].languageId) + ')';
                       },
                       [](const FileIconChunk& chunk) { return IconKindWords(chunk.kind); },
                       [](const TextChunk& chunk) { return NameOf(kTextFieldLabels, chunk.field); },
                       [](const DrmIconChunk& chunk) {
                         return NameOf(kDrmKindLabels, chunk.kind) + " from DRM";
                       },
                       [](const CodeChunk& chunk) { return NameOf(kCodeLabels, chunk.code); },
                       [](const ActionChunk&) { return std::string("Action code"); },
                       [](const ShortcutChunk&) { return std::string("Shortcut data"); },
                       [&](const UnknownGroupChunk& group) {
                         return "unknown data (tag " + std::to_string(group.chunks[item].tag) + ')';
                       },
                   },
                   slot->content);
  }
  return repeat > 1 ? label + " #" + std::to_string(repeat) : label;
}

FieldValue EntryField::Value() const {
  if (dropped) return Plain(BytesToHex(*dropped));
  if (!slot) {
    const auto rank = order >> kRankShift;
    if (rank == kRankType)
      return Worded(ItemTypeName(record->itemType), FunctionWords(record->itemType),
                    std::to_string(record->itemType));
    if (rank == kRankTitleMode) {
      const std::string raw = std::to_string(record->titleMode);
      return Worded(raw, TitleModeWords(record->titleMode), raw);
    }
    const std::string raw = Hex(record->attributeByte);
    return Worded(raw, AttributeWords(record->attributeByte), raw);
  }
  return std::visit(
      Overloaded{
          [&](const TitlesChunk& chunk) { return WideText(chunk.titles[item].text); },
          [](const FileIconChunk& chunk) { return WideText(chunk.path); },
          [](const TextChunk& chunk) { return Text(Latin1ToUtf8(chunk.text)); },
          [](const DrmIconChunk& chunk) {
            return Plain(std::to_string(chunk.number) + " (byte " + Hex(chunk.drmByte) + ')');
          },
          [](const CodeChunk& chunk) {
            return Worded(Hex(chunk.value), std::to_string(chunk.value), Hex(chunk.value));
          },
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
  if (dropped || other.dropped) return dropped && other.dropped && *dropped == *other.dropped;
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
  if (dropped) {
    MixText(hash, *dropped);
    return;
  }
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

std::vector<EntryField> EntryFields(const NodeRecord& record, const ItemDataRecord* data,
                                    const Bytes* dropped) {
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
  if (dropped) fields.push_back({Order(kRankDropped, 0), nullptr, nullptr, 0, 1, dropped});
  return fields;
}

}  // namespace menuforge

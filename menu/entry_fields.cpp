#include "menu/entry_fields.h"

#include <algorithm>
#include <array>

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

constexpr std::array<const char*, 3> kTitleListNames = {"title", "softkey-title", "text"};
constexpr std::array<const char*, 3> kDrmKindNames = {"list", "static", "animated"};
constexpr std::array<const char*, 4> kTextFieldNames = {"url", "midlet-1", "midlet-name",
                                                        "midlet-vendor"};
constexpr std::array<const char*, 3> kCodeNames = {"code-12", "code-13", "code-14"};

template <std::size_t N, typename Kind>
std::string NameOf(const std::array<const char*, N>& names, Kind kind) {
  return names[static_cast<std::size_t>(kind)];
}

std::uint64_t Order(Rank rank, std::uint64_t sub) { return rank << 40 | sub << 16; }

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

class FieldList {
 public:
  void Add(std::uint64_t order, std::string name, FieldValue value) {
    fields_.push_back({order, std::move(name), std::move(value)});
  }

  void AddChunk(const ChunkSlot& slot) {
    std::visit(
        Overloaded{
            [&](const TitlesChunk& chunk) {
              const auto list = static_cast<std::uint64_t>(chunk.list);
              for (const TitleEntry& title : chunk.titles)
                Add(Order(static_cast<Rank>(kRankTitles + list), title.languageId),
                    NameOf(kTitleListNames, chunk.list) + '[' + LanguageLabel(title.languageId) +
                        ']',
                    WideText(title.text));
            },
            [&](const FileIconChunk& chunk) {
              Add(Order(kRankFileIcon, chunk.kind), "icon[" + IconKindLabel(chunk.kind) + ']',
                  WideText(chunk.path));
            },
            [&](const TextChunk& chunk) {
              Add(Order(kRankText, static_cast<std::uint64_t>(chunk.field)),
                  NameOf(kTextFieldNames, chunk.field), Text(Latin1ToUtf8(chunk.text)));
            },
            [&](const DrmIconChunk& chunk) {
              Add(Order(kRankDrmIcon, static_cast<std::uint64_t>(chunk.kind)),
                  "drm-icon[" + NameOf(kDrmKindNames, chunk.kind) + ']',
                  Plain(std::to_string(chunk.number) + " (byte " + Hex(chunk.drmByte) + ')'));
            },
            [&](const CodeChunk& chunk) {
              Add(Order(kRankCode, static_cast<std::uint64_t>(chunk.code)),
                  NameOf(kCodeNames, chunk.code), Plain(Hex(chunk.value)));
            },
            [&](const ActionChunk& chunk) {
              Add(Order(kRankAction, 0), "action", Plain(std::to_string(chunk.code)));
            },
            [&](const ShortcutChunk& chunk) {
              Add(Order(kRankShortcut, 0), "shortcut", ShortcutValue(chunk));
            },
            [&](const UnknownGroupChunk& group) {
              for (const UnknownChunk& chunk : group.chunks)
                Add(Order(kRankUnknown, chunk.tag),
                    "unknown[tag " + std::to_string(chunk.tag) + ']',
                    Plain(chunk.data.empty() ? "empty" : BytesToHex(chunk.data)));
            },
        },
        slot.content);
  }

  // Sorted, a repeated name counted up: "title[German]", "title[German]#2".
  std::vector<EntryField> Finish() {
    std::stable_sort(fields_.begin(), fields_.end(),
                     [](const EntryField& a, const EntryField& b) { return a.order < b.order; });
    for (std::size_t i = 1, repeat = 1; i < fields_.size(); ++i) {
      repeat = fields_[i].order == fields_[i - 1].order ? repeat + 1 : 1;
      if (repeat == 1) continue;
      fields_[i].order += repeat - 1;
      fields_[i].name += '#' + std::to_string(repeat);
    }
    return std::move(fields_);
  }

 private:
  std::vector<EntryField> fields_;
};

}  // namespace

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
  FieldList fields;
  fields.Add(Order(kRankType, 0), "type", Plain(ItemTypeName(record.itemType)));
  fields.Add(Order(kRankTitleMode, 0), "title-mode", Plain(std::to_string(record.titleMode)));
  fields.Add(Order(kRankAttributes, 0), "attributes", Plain(Hex(record.attributeByte)));
  if (data)
    for (const ChunkSlot& slot : data->slots) fields.AddChunk(slot);
  return fields.Finish();
}

}  // namespace menuforge

#include "cli/json_chunk_reader.h"

#include "cli/json_keys.h"
#include "cli/text_forms.h"

namespace menuforge::cli {
namespace {

using namespace json_keys;

constexpr char kBeyondUcs2[] = "characters beyond U+FFFF cannot be stored as UCS-2";
constexpr char kTextOrUcs2[] = "expected exactly one of \"text\" and \"ucs2\"";
constexpr char kPathOrUcs2[] = "expected exactly one of \"path\" and \"ucs2\"";
constexpr char kBadUcs2[] = "expected hex digits, four per character";
constexpr char kBadHex[] = "expected hex digits, two per byte";
constexpr char kEmptyGroup[] = "an unknown group holds at least one chunk";

std::string UnknownTagText(std::uint8_t tag) { return "unknown chunk tag " + std::to_string(tag); }

std::string KnownTagInGroupText(std::uint8_t tag) {
  return "tag " + std::to_string(tag) + " is a known chunk and cannot stand in the unknown group";
}

std::u16string CheckedWide(const JsonField& field) {
  const std::string& utf8 = field.String();
  std::u16string text = Utf8ToWide(utf8);
  if (WideToUtf8(text) != utf8) field.Fail(kBeyondUcs2);
  if (text.find(u'\0') != std::u16string::npos) field.Fail(kZeroCharacterText);
  return text;
}

std::u16string CheckedUcs2(const JsonField& field) {
  std::optional<std::u16string> text = ParseUcs2Hex(field.String());
  if (!text) field.Fail(kBadUcs2);
  if (text->find(u'\0') != std::u16string::npos) field.Fail(kZeroCharacterText);
  return *text;
}

// "text"/"path" as UTF-8, or "ucs2" as hex for texts holding surrogates.
std::u16string WideMember(const JsonField& object, const char* textKey, const char* problem) {
  if (object.Has(textKey) == object.Has(kUcs2)) object.Fail(problem);
  return object.Has(textKey) ? CheckedWide(object.Member(textKey))
                             : CheckedUcs2(object.Member(kUcs2));
}

Bytes HexMember(const JsonField& object, std::size_t maxBytes) {
  const JsonField field = object.Member(kHex);
  std::optional<Bytes> bytes = ParseCompactHex(field.String());
  if (!bytes) field.Fail(kBadHex);
  if (bytes->size() > maxBytes)
    field.Fail("more than " + std::to_string(maxBytes) + " bytes (" +
               std::to_string(bytes->size()) + ")");
  return *bytes;
}

ChunkSlot TitlesFromJson(const JsonField& chunk, std::uint8_t tag) {
  chunk.ExpectObject({kTag, kTitles});
  std::vector<TitleEntry> titles;
  for (const JsonField& title : chunk.Member(kTitles).Elements(kMaxTitlesPerSlot, "titles")) {
    title.ExpectObject({kLanguage, kText, kUcs2});
    TitleEntry entry{title.Member(kLanguage).Byte(), WideMember(title, kText, kTextOrUcs2)};
    if (entry.text.size() > kMaxTitleCharacters)
      title.Fail("a title holds at most " + std::to_string(kMaxTitleCharacters) + " characters (" +
                 std::to_string(entry.text.size()) + ")");
    titles.push_back(std::move(entry));
  }
  return ChunkSlot::Titles(tag, std::move(titles));
}

ChunkSlot UnknownGroupFromJson(const JsonField& chunk) {
  chunk.ExpectObject({kTag, kChunks});
  ChunkSlot slot;
  slot.tag = kTagUnknownGroup;
  const std::vector<JsonField> entries =
      chunk.Member(kChunks).Elements(kMaxUnknownChunks, "unknown chunks");
  if (entries.empty()) chunk.Fail(kEmptyGroup);
  for (const JsonField& entry : entries) {
    entry.ExpectObject({kTag, kHex});
    const JsonField tagField = entry.Member(kTag);
    const std::uint8_t tag = tagField.Byte();
    if (IsKnownFileTag(tag)) tagField.Fail(KnownTagInGroupText(tag));
    slot.unknown.push_back({tag, HexMember(entry, kMaxUnknownChunkBytes)});
  }
  return slot;
}

}  // namespace

ChunkSlot ChunkFromJson(const JsonField& chunk) {
  chunk.RequireObject();
  const JsonField tagField = chunk.Member(kTag);
  const std::uint8_t tag = tagField.Byte();

  if (IsTitleTag(tag)) return TitlesFromJson(chunk, tag);
  if (tag == kTagFileIcon) {
    chunk.ExpectObject({kTag, kKind, kPath, kUcs2});
    return ChunkSlot::FileIcon(chunk.Member(kKind).Byte(), WideMember(chunk, kPath, kPathOrUcs2));
  }
  if (IsTextTag(tag)) {
    chunk.ExpectObject({kTag, kText});
    return ChunkSlot::Text(tag, chunk.Member(kText).Latin1());
  }
  if (IsDrmIconTag(tag)) {
    chunk.ExpectObject({kTag, kDrmByte, kNumber});
    return ChunkSlot::DrmIcon(tag, chunk.Member(kDrmByte).Byte(), chunk.Member(kNumber).U16());
  }
  if (IsCodeTag(tag)) {
    chunk.ExpectObject({kTag, kCode});
    return ChunkSlot::Code(tag, chunk.Member(kCode).Byte());
  }
  if (tag == kTagEmulatedAction) {
    chunk.ExpectObject({kTag, kAction});
    return ChunkSlot::Action(chunk.Member(kAction).U16());
  }
  if (tag == kTagShortcutData) {
    chunk.ExpectObject({kTag, kHex});
    const Bytes bytes = HexMember(chunk, kShortcutDataBytes);
    if (bytes.size() != kShortcutDataBytes)
      chunk.Member(kHex).Fail("expected exactly " + std::to_string(kShortcutDataBytes) + " bytes");
    ChunkSlot slot;
    slot.tag = kTagShortcutData;
    std::copy(bytes.begin(), bytes.end(), slot.shortcutData.begin());
    return slot;
  }
  if (tag == kTagUnknownGroup) return UnknownGroupFromJson(chunk);
  tagField.Fail(UnknownTagText(tag));
}

}  // namespace menuforge::cli

#include "menu_json/json_chunk_reader.h"

#include "menu_json/json_keys.h"
#include "menu_json/text_forms.h"

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

void ReadTitles(const JsonField& chunk, TitlesChunk& titles) {
  chunk.ExpectObject({kTag, kTitles});
  for (const JsonField& title : chunk.Member(kTitles).Elements(kMaxTitlesPerSlot, "titles")) {
    title.ExpectObject({kLanguage, kText, kUcs2});
    TitleEntry entry{title.Member(kLanguage).Byte(), WideMember(title, kText, kTextOrUcs2)};
    if (entry.text.size() > kMaxTitleCharacters)
      title.Fail("a title holds at most " + std::to_string(kMaxTitleCharacters) + " characters (" +
                 std::to_string(entry.text.size()) + ")");
    titles.titles.push_back(std::move(entry));
  }
}

void ReadUnknownGroup(const JsonField& chunk, UnknownGroupChunk& group) {
  chunk.ExpectObject({kTag, kChunks});
  const std::vector<JsonField> entries =
      chunk.Member(kChunks).Elements(kMaxUnknownChunks, "unknown chunks");
  if (entries.empty()) chunk.Fail(kEmptyGroup);
  for (const JsonField& entry : entries) {
    entry.ExpectObject({kTag, kHex});
    const JsonField tagField = entry.Member(kTag);
    const std::uint8_t tag = tagField.Byte();
    if (IsKnownFileTag(tag)) tagField.Fail(KnownTagInGroupText(tag));
    group.chunks.push_back({tag, HexMember(entry, kMaxUnknownChunkBytes)});
  }
}

void ReadShortcut(const JsonField& chunk, ShortcutChunk& shortcut) {
  chunk.ExpectObject({kTag, kHex});
  const Bytes bytes = HexMember(chunk, kShortcutDataBytes);
  if (bytes.size() != kShortcutDataBytes)
    chunk.Member(kHex).Fail("expected exactly " + std::to_string(kShortcutDataBytes) + " bytes");
  std::copy(bytes.begin(), bytes.end(), shortcut.data.begin());
}

}  // namespace

ChunkSlot ChunkFromJson(const JsonField& chunk) {
  chunk.RequireObject();
  const JsonField tagField = chunk.Member(kTag);
  const std::uint8_t tag = tagField.Byte();
  std::optional<ChunkSlot> slot = ChunkOfTag(tag);
  if (!slot) tagField.Fail(UnknownTagText(tag));

  std::visit(Overloaded{
                 [&](TitlesChunk& titles) { ReadTitles(chunk, titles); },
                 [&](FileIconChunk& icon) {
                   chunk.ExpectObject({kTag, kKind, kPath, kUcs2});
                   icon.kind = chunk.Member(kKind).Byte();
                   icon.path = WideMember(chunk, kPath, kPathOrUcs2);
                 },
                 [&](TextChunk& text) {
                   chunk.ExpectObject({kTag, kText});
                   text.text = chunk.Member(kText).Latin1();
                 },
                 [&](DrmIconChunk& icon) {
                   chunk.ExpectObject({kTag, kDrmByte, kNumber});
                   icon.drmByte = chunk.Member(kDrmByte).Byte();
                   icon.number = chunk.Member(kNumber).U16();
                 },
                 [&](CodeChunk& code) {
                   chunk.ExpectObject({kTag, kCode});
                   code.value = chunk.Member(kCode).Byte();
                 },
                 [&](ActionChunk& action) {
                   chunk.ExpectObject({kTag, kAction});
                   action.code = chunk.Member(kAction).U16();
                 },
                 [&](ShortcutChunk& shortcut) { ReadShortcut(chunk, shortcut); },
                 [&](UnknownGroupChunk& group) { ReadUnknownGroup(chunk, group); },
             },
             slot->content);
  return std::move(*slot);
}

}  // namespace menuforge::cli

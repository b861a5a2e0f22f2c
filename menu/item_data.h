// The data attached to one menu entry: up to eleven chunks, each of one typed kind.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/text_encoding.h"

namespace menuforge {

// The tags the file writes in front of each chunk. Only the codec and the chunk kinds below
// read them; everyone else works with the kinds.
enum ChunkTag : std::uint8_t {
  kTagMenuTitle = 0,
  kTagSoftkeyTitle = 1,
  kTagUrl = 5,
  kTagFileIcon06 = 6,  // file form only; held as kTagFileIcon
  kTagMidlet1 = 9,
  kTagMidletName = 10,
  kTagMidletVendor = 11,
  kTagFileIcon = 12,
  kTagDrmListIcon = 15,
  kTagDrmStaticIcon = 16,
  kTagDrmAnimatedIcon = 17,
  kTagCode12 = 18,
  kTagCode13 = 19,
  kTagCode14 = 20,
  kTagShowText = 21,
  kTagEmulatedAction = 22,
  kTagShortcutData = 23,
  kTagUnknownGroup = 254,
};

enum IconKind : std::uint8_t { kListIcon = 2, kStaticIcon = 3, kAnimatedIcon = 4 };

inline constexpr std::size_t kMaxSlots = 11;
inline constexpr std::size_t kMaxUnknownChunks = 11;
inline constexpr std::size_t kMaxUnknownChunkBytes = 2048;
// A title list counts its titles in one byte; all of them are kept, so that no title the phone
// shows is lost on the way through the editor.
inline constexpr std::size_t kMaxTitlesPerSlot = 255;
// A title entry holds at most 800 bytes of UCS-2 including its terminator.
inline constexpr std::size_t kMaxTitleEntryBytes = 800;
inline constexpr std::size_t kMaxTitleCharacters = kMaxTitleEntryBytes / 2 - 1;
inline constexpr std::size_t kShortcutDataBytes = 25;
inline constexpr std::uint8_t kDrmByteFromEditor = 0x12;

// Tags the loader knows (6 included); anything else goes to the unknown group.
bool IsKnownFileTag(std::uint8_t tag);

struct TitleEntry {
  std::uint8_t languageId = 1;
  std::u16string text;  // without terminator, at most kMaxTitleCharacters
  bool operator==(const TitleEntry&) const = default;
};

struct UnknownChunk {
  std::uint8_t tag = 0;
  Bytes data;  // at most kMaxUnknownChunkBytes
  bool operator==(const UnknownChunk&) const = default;
};

// The kinds of chunk, each with the fields that mean something for it.
enum class TitleList : std::uint8_t { Menu, Softkey, ShowText };
struct TitlesChunk {
  TitleList list = TitleList::Menu;
  std::vector<TitleEntry> titles;
  bool operator==(const TitlesChunk&) const = default;
};

struct FileIconChunk {
  std::uint8_t kind = kListIcon;  // an IconKind, or whatever other byte the file held
  std::u16string path;
  bool operator==(const FileIconChunk&) const = default;
};

// 8-bit texts: a URL and the three MIDlet texts.
enum class TextField : std::uint8_t { Url, Midlet1, MidletName, MidletVendor };
struct TextChunk {
  TextField field = TextField::Url;
  std::string text;  // no zero byte inside
  bool operator==(const TextChunk&) const = default;
};

enum class DrmIconKind : std::uint8_t { List, Static, Animated };
struct DrmIconChunk {
  DrmIconKind kind = DrmIconKind::List;
  std::uint8_t drmByte = 0;
  std::uint16_t number = 0;
  bool operator==(const DrmIconChunk&) const = default;
};

// The three bytes of "Call a number/Send SMS".
enum class CallCode : std::uint8_t { Code12, Code13, Code14 };
struct CodeChunk {
  CallCode code = CallCode::Code12;
  std::uint8_t value = 0;
  bool operator==(const CodeChunk&) const = default;
};

struct ActionChunk {
  std::uint16_t code = 0;
  bool operator==(const ActionChunk&) const = default;
};

struct ShortcutChunk {
  std::array<std::uint8_t, kShortcutDataBytes> data{};
  bool operator==(const ShortcutChunk&) const = default;
};

// The chunks of tags the loader does not know, kept together in one slot.
struct UnknownGroupChunk {
  std::vector<UnknownChunk> chunks;
  bool operator==(const UnknownGroupChunk&) const = default;
};

using ChunkContent = std::variant<TitlesChunk, FileIconChunk, TextChunk, DrmIconChunk, CodeChunk,
                                  ActionChunk, ShortcutChunk, UnknownGroupChunk>;

// Lets std::visit take one lambda for each kind.
template <typename... Visit>
struct Overloaded : Visit... {
  using Visit::operator()...;
};
template <typename... Visit>
Overloaded(Visit...) -> Overloaded<Visit...>;

// One chunk of an entry's data.
struct ChunkSlot {
  ChunkContent content;

  // The tag the file writes for it; kTagUnknownGroup for the unknown group.
  std::uint8_t tag() const;
  // The chunk length written in the file's chunk header: content bytes only. For the unknown
  // group, the bytes its entries take in the file (3 + L each).
  std::size_t length() const;

  template <typename Kind>
  const Kind* As() const {
    return std::get_if<Kind>(&content);
  }

  bool operator==(const ChunkSlot&) const = default;

  static ChunkSlot Titles(TitleList list, std::vector<TitleEntry> titles);
  static ChunkSlot FileIcon(std::uint8_t kind, std::u16string path);
  static ChunkSlot Text(TextField field, std::string text);
  static ChunkSlot DrmIcon(DrmIconKind kind, std::uint8_t drmByte, std::uint16_t number);
  static ChunkSlot Code(CallCode code, std::uint8_t value);
  static ChunkSlot Action(std::uint16_t code);
  // Identifier, zero terminator, zero padding: a longer identifier keeps its first 24 bytes.
  static ChunkSlot Shortcut(std::string_view identifier);
  static ChunkSlot UnknownGroup(std::vector<UnknownChunk> chunks);
};

// An empty chunk of the kind a tag names, as the outside forms of a menu name it (the unknown
// group by kTagUnknownGroup, a file icon by kTagFileIcon); nothing for any other tag.
std::optional<ChunkSlot> ChunkOfTag(std::uint8_t tag);

struct ItemDataRecord {
  std::uint8_t ownerKey = 0;
  std::vector<ChunkSlot> slots;  // 1 to kMaxSlots, in chunk order

  bool operator==(const ItemDataRecord&) const = default;
};

// Bytes the saver writes for a record: every slot's 3-byte header and content, the unknown group
// only when "Save all data" is on.
std::size_t DataLength(const ItemDataRecord* record, bool saveAllData);

// Item data records indexed by record key (0..255).
class ItemDataTable {
 public:
  ItemDataRecord* Find(std::uint8_t key);
  const ItemDataRecord* Find(std::uint8_t key) const;
  void Store(std::uint8_t key, ItemDataRecord record);
  void Free(std::uint8_t key);
  void Clear();
  std::size_t size() const;
  bool operator==(const ItemDataTable&) const = default;

 private:
  std::array<std::optional<ItemDataRecord>, 256> records_;
};

}  // namespace menuforge

// The data attached to one menu entry: up to eleven chunk slots of typed content.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu/commondata.h"

namespace menuforge {

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
inline constexpr std::size_t kMaxTitlesPerSlot = 28;
// A title entry holds at most 800 bytes of UCS-2 including its terminator.
inline constexpr std::size_t kMaxTitleEntryBytes = 800;
inline constexpr std::size_t kMaxTitleCharacters = kMaxTitleEntryBytes / 2 - 1;
inline constexpr std::size_t kShortcutDataBytes = 25;
inline constexpr std::uint8_t kDrmByteFromEditor = 0x12;

bool IsTitleTag(std::uint8_t tag);
bool IsTextTag(std::uint8_t tag);
bool IsDrmIconTag(std::uint8_t tag);
bool IsCodeTag(std::uint8_t tag);
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

// Holds one chunk of any kind; only the fields of its tag are meaningful.
struct ChunkSlot {
  std::uint8_t tag = kTagMenuTitle;
  std::vector<TitleEntry> titles;     // 0, 1, 21
  std::uint8_t iconKind = kListIcon;  // 12
  std::u16string path;                // 12
  std::string text;                   // 5, 9, 10, 11: 8-bit, no zero byte inside
  std::uint8_t drmByte = 0;           // 15, 16, 17
  std::uint16_t drmIconNumber = 0;    // 15, 16, 17
  std::uint8_t code = 0;              // 18, 19, 20
  std::uint16_t actionCode = 0;       // 22
  std::array<std::uint8_t, kShortcutDataBytes> shortcutData{};  // 23
  std::vector<UnknownChunk> unknown;                            // 254

  // The chunk length written in the file's chunk header: content bytes only. For the unknown
  // group, the bytes its entries take in the file (3 + L each).
  std::size_t length() const;

  bool operator==(const ChunkSlot&) const = default;

  static ChunkSlot Titles(std::uint8_t tag, std::vector<TitleEntry> titles);
  static ChunkSlot FileIcon(std::uint8_t kind, std::u16string path);
  static ChunkSlot Text(std::uint8_t tag, std::string text);
  static ChunkSlot DrmIcon(std::uint8_t tag, std::uint8_t drmByte, std::uint16_t number);
  static ChunkSlot Code(std::uint8_t tag, std::uint8_t code);
  static ChunkSlot Action(std::uint16_t actionCode);
  static ChunkSlot Shortcut(std::string_view identifier);
};

struct ItemDataRecord {
  std::uint8_t ownerKey = 0;
  std::vector<ChunkSlot> slots;  // 1 to kMaxSlots, in chunk order

  std::size_t chunkCount() const { return slots.size(); }
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

 private:
  std::array<std::optional<ItemDataRecord>, 256> records_;
};

}  // namespace menuforge

// The item editor's own copy of an entry's chunks: one place for each kind of data, so that
// nothing the entry carries is lost to another kind sharing its place.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/core/editor_controls.h"
#include "menu/item_data.h"

namespace menuforge {

// The function's chunks and the unknown group; each is either absent or held in its own place.
enum class FunctionChunk : std::size_t {
  Url,
  Midlet1,
  MidletName,
  MidletVendor,
  ShowText,
  EmulatedAction,
  ShortcutData,
  Code12,
  Code13,
  Code14,
  UnknownGroup,
};
inline constexpr std::size_t kFunctionChunkCount = 11;

// Nothing for titles and icons.
std::optional<FunctionChunk> FunctionChunkOf(const ChunkSlot& slot);

// Menu and soft key titles and the icons are taken afresh from the controls on every commit;
// the function's chunks stay as loaded until a non-empty field replaces them or another
// function is chosen.
struct EditorWorkingCopy {
  std::optional<ChunkSlot> menuTitle;
  std::optional<ChunkSlot> softkeyTitle;
  std::array<std::optional<ChunkSlot>, kIconRowCount> fileIcons;  // by IconRow
  std::array<std::optional<ChunkSlot>, kIconRowCount> drmIcons;   // by IconRow
  std::array<std::optional<ChunkSlot>, kFunctionChunkCount> functionChunks;

  std::optional<ChunkSlot>& function(FunctionChunk chunk) {
    return functionChunks[static_cast<std::size_t>(chunk)];
  }
  const std::optional<ChunkSlot>& function(FunctionChunk chunk) const {
    return functionChunks[static_cast<std::size_t>(chunk)];
  }

  void ClearVisual();
  void ClearFunction(bool unknownGroupToo);
  // The unknown group counts only while "Save all data" is on: without it nothing of it is saved.
  bool HasData(bool saveAllData) const;
  bool HasFunctionChunk() const;  // the unknown group is not a function
  // StoreItem's order: titles, show text, file icons, URL and MIDlet texts, DRM icons, action,
  // shortcut, codes, and last the unknown group.
  std::vector<ChunkSlot> Chunks() const;
  // The type the function chunks give the item, the latest in StoreItem's order winning;
  // `current` without any.
  std::uint8_t ItemTypeFor(std::uint8_t current, bool send) const;
};

}  // namespace menuforge

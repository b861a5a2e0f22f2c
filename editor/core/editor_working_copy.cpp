#include "editor/core/editor_working_copy.h"

#include <algorithm>

#include "menu/node_record.h"

namespace menuforge {
namespace {

void Append(const std::optional<ChunkSlot>& slot, std::vector<ChunkSlot>& chunks) {
  if (slot) chunks.push_back(*slot);
}

// By TextField and by CallCode.
constexpr std::array<FunctionChunk, 4> kTextChunks = {FunctionChunk::Url, FunctionChunk::Midlet1,
                                                      FunctionChunk::MidletName,
                                                      FunctionChunk::MidletVendor};
constexpr std::array<FunctionChunk, 3> kCodeChunks = {FunctionChunk::Code12, FunctionChunk::Code13,
                                                      FunctionChunk::Code14};

}  // namespace

std::optional<FunctionChunk> FunctionChunkOf(const ChunkSlot& slot) {
  using Found = std::optional<FunctionChunk>;
  return std::visit(Overloaded{
                        [](const TitlesChunk& chunk) {
                          return chunk.list == TitleList::ShowText ? Found(FunctionChunk::ShowText)
                                                                   : Found();
                        },
                        [](const TextChunk& chunk) {
                          return Found(kTextChunks[static_cast<std::size_t>(chunk.field)]);
                        },
                        [](const CodeChunk& chunk) {
                          return Found(kCodeChunks[static_cast<std::size_t>(chunk.code)]);
                        },
                        [](const ActionChunk&) { return Found(FunctionChunk::EmulatedAction); },
                        [](const ShortcutChunk&) { return Found(FunctionChunk::ShortcutData); },
                        [](const UnknownGroupChunk&) { return Found(FunctionChunk::UnknownGroup); },
                        [](const auto&) { return Found(); },
                    },
                    slot.content);
}

void EditorWorkingCopy::ClearVisual() {
  menuTitle.reset();
  softkeyTitle.reset();
  for (auto& icon : fileIcons) icon.reset();
  for (auto& icon : drmIcons) icon.reset();
}

void EditorWorkingCopy::ClearFunction(bool unknownGroupToo) {
  const std::optional<ChunkSlot> unknown = function(FunctionChunk::UnknownGroup);
  for (auto& chunk : functionChunks) chunk.reset();
  if (!unknownGroupToo) function(FunctionChunk::UnknownGroup) = unknown;
}

bool EditorWorkingCopy::HasData(bool saveAllData) const {
  const std::vector<ChunkSlot> chunks = Chunks();
  return std::any_of(chunks.begin(), chunks.end(), [saveAllData](const ChunkSlot& chunk) {
    return saveAllData || !chunk.As<UnknownGroupChunk>();
  });
}

bool EditorWorkingCopy::HasFunctionChunk() const {
  for (std::size_t i = 0; i < kFunctionChunkCount; ++i)
    if (functionChunks[i] && static_cast<FunctionChunk>(i) != FunctionChunk::UnknownGroup)
      return true;
  return false;
}

std::vector<ChunkSlot> EditorWorkingCopy::Chunks() const {
  std::vector<ChunkSlot> chunks;
  Append(menuTitle, chunks);
  Append(softkeyTitle, chunks);
  Append(function(FunctionChunk::ShowText), chunks);
  for (const auto& icon : fileIcons) Append(icon, chunks);
  for (FunctionChunk text : {FunctionChunk::Url, FunctionChunk::Midlet1, FunctionChunk::MidletName,
                             FunctionChunk::MidletVendor})
    Append(function(text), chunks);
  for (const auto& icon : drmIcons) Append(icon, chunks);
  for (FunctionChunk rest :
       {FunctionChunk::EmulatedAction, FunctionChunk::ShortcutData, FunctionChunk::Code12,
        FunctionChunk::Code13, FunctionChunk::Code14, FunctionChunk::UnknownGroup})
    Append(function(rest), chunks);
  return chunks;
}

std::uint8_t EditorWorkingCopy::ItemTypeFor(std::uint8_t current, bool send) const {
  auto any = [this](std::initializer_list<FunctionChunk> kinds) {
    return std::any_of(kinds.begin(), kinds.end(),
                       [this](FunctionChunk kind) { return function(kind).has_value(); });
  };
  std::uint8_t type = current;
  if (any({FunctionChunk::Url})) type = kUrlLink;
  if (any({FunctionChunk::Midlet1, FunctionChunk::MidletName, FunctionChunk::MidletVendor}))
    type = kApplicationStart;
  if (any({FunctionChunk::ShowText})) type = kShowText;
  if (any({FunctionChunk::EmulatedAction})) type = kEmulatedAction;
  if (any({FunctionChunk::ShortcutData})) type = kShortcut;
  if (any({FunctionChunk::Code12, FunctionChunk::Code13, FunctionChunk::Code14}))
    type = send ? kSendMessage : kCallNumber;
  return type;
}

}  // namespace menuforge

#include "menu/format_limits.h"

#include <algorithm>

#include "menu/comparison_lines.h"
#include "menu/mma_format.h"

namespace menuforge {
namespace {

std::string PathOf(const MenuNode& node) {
  std::vector<std::string> names;
  for (const MenuNode* at = &node; at; at = at->parent())
    names.insert(names.begin(), Latin1ToUtf8(at->displayText().empty() ? at->record().itemName
                                                                       : at->displayText()));
  return ShownEntryPath(names);
}

std::string LimitText(const std::string& limit, const std::vector<const MenuNode*>& entries) {
  std::string text = "the result would pass the mma_ucp limit of " + limit + ":";
  for (std::size_t i = 0; i < entries.size(); ++i) text += (i ? ", " : " ") + PathOf(*entries[i]);
  return text;
}

bool TooManyChunks(const ItemDataRecord& data) {
  if (data.slots.size() > kMaxSlots) return true;
  return std::any_of(data.slots.begin(), data.slots.end(), [](const ChunkSlot& slot) {
    if (const auto* titles = slot.As<TitlesChunk>())
      return titles->titles.size() > kMaxTitlesPerSlot;
    if (const auto* group = slot.As<UnknownGroupChunk>())
      return group->chunks.size() > kMaxUnknownChunks;
    return false;
  });
}

}  // namespace

Status CheckFormatLimits(const MenuTree& tree, bool saveAllData) {
  std::vector<const MenuNode*> nodes;  // in the file's record order
  tree.ForEach([&](MenuNode& node) { nodes.push_back(&node); });
  std::stable_sort(nodes.begin(), nodes.end(), [](const MenuNode* a, const MenuNode* b) {
    return a->record().recordKey < b->record().recordKey;
  });
  std::vector<const MenuNode*> beyondCount, beyondData, chunks;
  std::size_t entries = 0, bytes = 0;
  std::size_t position = 0;
  tree.ForEach([&](MenuNode& node) {
    if (position++ >= kFirstEntryPosition && ++entries > kMaxMenuEntries)
      beyondCount.push_back(&node);
  });
  for (const MenuNode* node : nodes) {
    const ItemDataRecord* data = tree.itemData().Find(node->record().recordKey);
    if (!data || !node->record().modified) continue;
    bytes += DataLength(data, saveAllData);
    if (bytes > kMaxDataSectionBytes) beyondData.push_back(node);
    if (TooManyChunks(*data)) chunks.push_back(node);
  }
  std::string text;
  auto add = [&](const std::string& limit, const std::vector<const MenuNode*>& past) {
    if (!past.empty()) text += (text.empty() ? "" : "; ") + LimitText(limit, past);
  };
  add(std::to_string(kMaxMenuEntries) + " entries", beyondCount);
  add(std::to_string(kMaxDataSectionBytes) + " bytes of entry data", beyondData);
  add(std::to_string(kMaxSlots) + " chunks per entry", chunks);
  if (text.empty()) return {};
  return Failure(text);
}

}  // namespace menuforge

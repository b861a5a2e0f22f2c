#include "app/core/item_summary.h"

#include <algorithm>

namespace menuforge {
namespace {

constexpr char kMenuTitleLine[] = "Name in menu modified";
constexpr char kSoftkeyTitleLine[] = "Softkey name modified";
constexpr char kUrlLine[] = "URL attached";
constexpr char kMidletLine[] = "MIDlet attached";
constexpr char kFileIconLine[] = "Icon(s) modified [source: file]";
constexpr char kDrmIconLine[] = "Icon(s) modified [source: DRM]";
constexpr char kPhoneNumberLine[] = "Phone number attached";
constexpr char kTextScreenLine[] = "Text screen attached";
constexpr char kActionLine[] = "Action emulated";
constexpr char kShortcutLine[] = "Shortcut data";
constexpr char kUnsupportedLine[] = "Unsupported Data";

struct SlotLine {
  const char* text;
  bool once;  // one line for the whole group of tags
};

SlotLine TitlesLine(TitleList list) {
  switch (list) {
    case TitleList::Menu: return {kMenuTitleLine, false};
    case TitleList::Softkey: return {kSoftkeyTitleLine, false};
    case TitleList::ShowText: break;
  }
  return {kTextScreenLine, false};
}

SlotLine LineFor(const ChunkSlot& slot) {
  return std::visit(Overloaded{
                        [](const TitlesChunk& chunk) { return TitlesLine(chunk.list); },
                        [](const FileIconChunk&) {
                          return SlotLine{kFileIconLine, true};
                        },
                        [](const TextChunk& chunk) {
                          return chunk.field == TextField::Url ? SlotLine{kUrlLine, false}
                                                               : SlotLine{kMidletLine, true};
                        },
                        [](const DrmIconChunk&) {
                          return SlotLine{kDrmIconLine, true};
                        },
                        [](const CodeChunk&) {
                          return SlotLine{kPhoneNumberLine, true};
                        },
                        [](const ActionChunk&) {
                          return SlotLine{kActionLine, false};
                        },
                        [](const ShortcutChunk&) {
                          return SlotLine{kShortcutLine, false};
                        },
                        [](const UnknownGroupChunk&) {
                          return SlotLine{kUnsupportedLine, false};
                        },
                    },
                    slot.content);
}

}  // namespace

std::optional<std::vector<std::string>> ItemSummary(const MenuTree& tree, const MenuNode& node) {
  const std::size_t position = tree.PositionOf(&node);
  if (position == kSoftkeysPosition || position == kMenuRootPosition) return std::nullopt;

  std::vector<std::string> lines{kSummaryHeading, ""};
  if (!node.record().modified) {
    lines.emplace_back(kSummaryNotModified);
    return lines;
  }
  const ItemDataRecord* data = tree.itemData().Find(node.record().recordKey);
  if (data == nullptr) return lines;

  for (const ChunkSlot& slot : data->slots) {
    const SlotLine line = LineFor(slot);
    if (line.once && std::find(lines.begin(), lines.end(), line.text) != lines.end()) continue;
    lines.emplace_back(line.text);
  }
  return lines;
}

}  // namespace menuforge

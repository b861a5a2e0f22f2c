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

SlotLine LineFor(std::uint8_t tag) {
  switch (tag) {
    case kTagMenuTitle: return {kMenuTitleLine, false};
    case kTagSoftkeyTitle: return {kSoftkeyTitleLine, false};
    case kTagUrl: return {kUrlLine, false};
    case kTagMidlet1:
    case kTagMidletName:
    case kTagMidletVendor: return {kMidletLine, true};
    case kTagFileIcon: return {kFileIconLine, true};
    case kTagDrmListIcon:
    case kTagDrmStaticIcon:
    case kTagDrmAnimatedIcon: return {kDrmIconLine, true};
    case kTagCode12:
    case kTagCode13:
    case kTagCode14: return {kPhoneNumberLine, true};
    case kTagShowText: return {kTextScreenLine, false};
    case kTagEmulatedAction: return {kActionLine, false};
    case kTagShortcutData: return {kShortcutLine, false};
    default: return {kUnsupportedLine, false};
  }
}

}  // namespace

std::optional<std::vector<std::string>> ItemSummary(const MenuTree& tree, const MenuNode& node) {
  const std::size_t position = tree.PositionOf(&node);
  if (position == kSoftkeysPosition || position == kMenuRootPosition) return std::nullopt;

  std::vector<std::string> lines{kSummaryHeading, ""};
  if (!node.record.modified) {
    lines.emplace_back(kSummaryNotModified);
    return lines;
  }
  const ItemDataRecord* data = tree.itemData.Find(node.record.recordKey);
  if (data == nullptr) return lines;

  for (const ChunkSlot& slot : data->slots) {
    const SlotLine line = LineFor(slot.tag);
    if (line.once && std::find(lines.begin(), lines.end(), line.text) != lines.end()) continue;
    lines.emplace_back(line.text);
  }
  return lines;
}

}  // namespace menuforge

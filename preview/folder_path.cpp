#include "preview/folder_path.h"

#include "preview/entry_look.h"

namespace menuforge {
namespace {

bool Names(const MenuTree& tree, const MenuNode& node, std::string_view part) {
  if (node.record().itemName == part || Latin1ToUtf8(node.displayText()) == part) return true;
  const ItemDataRecord* record = tree.itemData().Find(node.record().recordKey);
  if (record == nullptr) return false;
  for (const ChunkSlot& slot : record->slots)
    if (const auto* titles = slot.As<TitlesChunk>(); titles && titles->list == TitleList::Menu)
      for (const TitleEntry& title : titles->titles)
        if (WideToUtf8(title.text) == part) return true;
  return false;
}

}  // namespace

Result<const MenuNode*> FindFolder(const MenuTree& tree, std::string_view path) {
  const MenuNode* folder = tree.menuRoot();
  if (folder == nullptr) return Failure("the menu has no main menu");
  std::string walked;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    path = slash == path.npos ? std::string_view() : path.substr(slash + 1);
    if (part.empty()) continue;
    const MenuNode* found = nullptr;
    for (const auto& child : folder->children())
      if (Names(tree, *child, part)) {
        found = child.get();
        break;
      }
    const std::string where = walked.empty() ? "the main menu" : "\"" + walked + "\"";
    if (found == nullptr) return Failure("no entry \"" + std::string(part) + "\" in " + where);
    walked += (walked.empty() ? "" : "/") + std::string(part);
    if (!IsFolder(*found)) return Failure("\"" + walked + "\" is no folder");
    folder = found;
  }
  return folder;
}

}  // namespace menuforge

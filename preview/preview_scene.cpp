#include "preview/preview_scene.h"

#include <algorithm>

namespace menuforge {
namespace {

EntryTitle SoftkeyTitle(const MenuTree& tree, std::size_t position, std::uint8_t languageId) {
  const MenuNode* key = tree.NodeAt(position);
  if (key == nullptr || key->parent() != tree.softkeys()) return {};
  return TitleOf(tree, *key, languageId);
}

}  // namespace

const PreviewEntry* PreviewScene::EntryAt(int x, int y) const {
  const std::optional<std::size_t> cell = CellAt(layout, x, y);
  return cell && *cell < entries.size() ? &entries[*cell] : nullptr;
}

PreviewScene BuildScene(const MenuTree& tree, const MenuNode& folder, const PreviewOptions& options,
                        std::size_t highlighted, std::size_t page) {
  PreviewScene scene;
  // The soft keys are no folder the phone opens: it shows them along the bottom of its screen.
  scene.layout = &folder == tree.softkeys() ? LayOutSoftkeyScreen(options.screen)
                                            : LayOutScreen(options.screen, options.layout);
  scene.folderTitle = &folder == tree.menuRoot() ? Utf8ToWide(kMainMenuTitle)
                                                 : TitleOf(tree, folder, options.languageId).text;
  const std::size_t perPage = std::max<std::size_t>(1, scene.layout.perPage());
  // The other soft keys are the navigation keys, which show nothing on screen.
  const std::size_t count = scene.layout.softkeyScreen
                                ? std::min(folder.children().size(), scene.layout.perPage())
                                : folder.children().size();
  scene.pageCount = std::max<std::size_t>(1, (count + perPage - 1) / perPage);
  if (page < scene.pageCount)
    scene.page = page;
  else if (highlighted < count)
    scene.page = highlighted / perPage;
  const std::size_t first = scene.page * perPage;
  const std::size_t last = std::min(count, first + perPage);
  for (std::size_t i = first; i < last; ++i) {
    const MenuNode& node = *folder.children()[i];
    scene.entries.push_back(
        {&node, TitleOf(tree, node, options.languageId), ListIconOf(tree, node), IsFolder(node)});
  }
  if (highlighted >= first && highlighted < last) scene.highlighted = highlighted - first;
  scene.leftSoftkey = SoftkeyTitle(tree, kFirstSoftkeyPosition, options.languageId);
  scene.rightSoftkey = SoftkeyTitle(tree, kFirstSoftkeyPosition + 1, options.languageId);
  return scene;
}

}  // namespace menuforge

// One folder of the menu as the phone shows it: the page of entries on screen, their titles and
// icons, the folder's title and the two soft keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "menu/menu_tree.h"
#include "preview/entry_look.h"
#include "preview/screen_layout.h"

namespace menuforge {

inline constexpr char kMainMenuTitle[] = "Main menu";
inline constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

struct PreviewOptions {
  PictureSize screen = kDefaultPreviewScreen;
  PreviewLayout layout = PreviewLayout::Grid;
  std::uint8_t languageId = 1;
  bool operator==(const PreviewOptions&) const = default;
};

struct PreviewEntry {
  const MenuNode* node = nullptr;
  EntryTitle title;
  IconReference icon;
  bool folder = false;
};

struct PreviewScene {
  ScreenLayout layout;
  std::u16string folderTitle;
  std::vector<PreviewEntry> entries;   // the page on screen, in cell order
  std::size_t highlighted = kNoEntry;  // among `entries`
  std::size_t page = 0;
  std::size_t pageCount = 1;
  EntryTitle leftSoftkey;
  EntryTitle rightSoftkey;

  // The entry drawn at a point of the screen; nullptr for none.
  const PreviewEntry* EntryAt(int x, int y) const;
};

// `highlighted` is the position among the folder's children of the entry the cursor is on. The
// page shown is `page` when the folder has it, else the cursor's page, else the first.
PreviewScene BuildScene(const MenuTree& tree, const MenuNode& folder, const PreviewOptions& options,
                        std::size_t highlighted = kNoEntry, std::size_t page = kNoEntry);

}  // namespace menuforge

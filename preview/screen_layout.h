// Where things go on the phone's screen: the folder's title at the top, the entries as a grid
// or a list between, the soft keys along the bottom.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/picture.h"

namespace menuforge {

enum class PreviewLayout { Grid, List };

// The screens the DRM icon picker offers, in its order; 176 x 220 is the usual one.
inline constexpr std::array<PictureSize, 4> kPreviewScreens = {
    {{128, 128}, {120, 160}, {176, 220}, {240, 320}}};
inline constexpr PictureSize kDefaultPreviewScreen{176, 220};

// "176x220" for one of kPreviewScreens; nothing for any other text.
std::optional<PictureSize> ParseScreenSize(std::string_view text);
std::string ScreenSizeText(PictureSize size);
// "grid" or "list".
std::optional<PreviewLayout> ParseLayout(std::string_view text);

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
  bool operator==(const Rect&) const = default;
};

// One place for an entry: its icon box and the line its title goes on.
struct EntryCell {
  Rect cell;
  Rect icon;
  Rect title;
  bool operator==(const EntryCell&) const = default;
};

struct ScreenLayout {
  PictureSize screen;
  PreviewLayout layout = PreviewLayout::Grid;
  int textPixels = 0;  // the font's size in pixels
  Rect titleBar;
  Rect content;
  Rect softkeyBar;
  int columns = 0;
  int rows = 0;
  std::vector<EntryCell> cells;  // one page, row after row
  // The two cells are the halves of the soft-key bar: the screen the phone shows while idle.
  bool softkeyScreen = false;

  std::size_t perPage() const { return cells.size(); }
};

// A tall screen (at least 1.3 times as high as wide) has a grid of 3 x 4, the others 3 x 3; a
// list has as many rows as fit.
ScreenLayout LayOutScreen(PictureSize screen, PreviewLayout layout);

// The idle screen: the bars as above, nothing between, and the left and right soft keys as the
// cells, their labels along the bottom as the phone shows them.
ScreenLayout LayOutSoftkeyScreen(PictureSize screen);

// The page's cell at a point of the screen; nothing outside every cell.
std::optional<std::size_t> CellAt(const ScreenLayout& layout, int x, int y);

}  // namespace menuforge

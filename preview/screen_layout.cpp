#include "preview/screen_layout.h"

#include <algorithm>

namespace menuforge {
namespace {

constexpr int kGridColumns = 3;
constexpr int kShortGridRows = 3;
constexpr int kTallGridRows = 4;
constexpr int kBarPadding = 6;
constexpr int kGap = 2;

// Small screens take a small font, as the phones do.
int TextPixelsFor(PictureSize screen) {
  if (screen.width <= 128) return 9;
  if (screen.width <= 176) return 11;
  return 14;
}

int Part(int whole, int index, int parts) { return whole * index / parts; }

std::vector<EntryCell> GridCells(const Rect& content, int columns, int rows, int textPixels) {
  std::vector<EntryCell> cells;
  const int line = textPixels + kGap;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const int x = content.x + Part(content.width, column, columns);
      const int y = content.y + Part(content.height, row, rows);
      const Rect cell{x, y, content.x + Part(content.width, column + 1, columns) - x,
                      content.y + Part(content.height, row + 1, rows) - y};
      const int side = std::max(0, std::min(cell.width - 2 * kGap, cell.height - line - 2 * kGap));
      const Rect icon{cell.x + (cell.width - side) / 2, cell.y + kGap, side, side};
      const Rect title{cell.x + 1, cell.y + cell.height - line - 1, cell.width - 2, line};
      cells.push_back({cell, icon, title});
    }
  }
  return cells;
}

std::vector<EntryCell> ListCells(const Rect& content, int textPixels, int& rows) {
  const int rowHeight = textPixels * 2;
  rows = std::max(1, content.height / rowHeight);
  std::vector<EntryCell> cells;
  for (int row = 0; row < rows; ++row) {
    const Rect cell{content.x, content.y + row * rowHeight, content.width, rowHeight};
    const int side = rowHeight - 2 * kGap;
    const Rect icon{cell.x + kGap, cell.y + kGap, side, side};
    const int titleX = icon.x + side + 2 * kGap;
    const Rect title{titleX, cell.y + (rowHeight - textPixels - kGap) / 2,
                     cell.x + cell.width - titleX - kGap, textPixels + kGap};
    cells.push_back({cell, icon, title});
  }
  return cells;
}

}  // namespace

std::optional<PictureSize> ParseScreenSize(std::string_view text) {
  for (PictureSize size : kPreviewScreens)
    if (text == ScreenSizeText(size)) return size;
  return std::nullopt;
}

std::string ScreenSizeText(PictureSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::optional<PreviewLayout> ParseLayout(std::string_view text) {
  if (text == "grid") return PreviewLayout::Grid;
  if (text == "list") return PreviewLayout::List;
  return std::nullopt;
}

ScreenLayout LayOutScreen(PictureSize screen, PreviewLayout layout) {
  ScreenLayout result;
  result.screen = screen;
  result.layout = layout;
  result.textPixels = TextPixelsFor(screen);
  const int width = static_cast<int>(screen.width);
  const int height = static_cast<int>(screen.height);
  const int bar = result.textPixels + kBarPadding;
  result.titleBar = {0, 0, width, bar};
  result.softkeyBar = {0, height - bar, width, bar};
  result.content = {0, bar, width, std::max(0, height - 2 * bar)};
  if (layout == PreviewLayout::Grid) {
    result.columns = kGridColumns;
    result.rows = screen.height * 10 >= screen.width * 13 ? kTallGridRows : kShortGridRows;
    result.cells = GridCells(result.content, result.columns, result.rows, result.textPixels);
  } else {
    result.columns = 1;
    result.cells = ListCells(result.content, result.textPixels, result.rows);
  }
  return result;
}

ScreenLayout LayOutSoftkeyScreen(PictureSize screen) {
  ScreenLayout result = LayOutScreen(screen, PreviewLayout::Grid);
  result.softkeyScreen = true;
  result.columns = 2;
  result.rows = 1;
  const Rect& bar = result.softkeyBar;
  const int half = bar.width / 2;
  const Rect left{bar.x, bar.y, half, bar.height};
  const Rect right{bar.x + half, bar.y, bar.width - half, bar.height};
  result.cells = {{left, {}, {left.x + kGap, left.y, left.width - 2 * kGap, left.height}},
                  {right, {}, {right.x + kGap, right.y, right.width - 2 * kGap, right.height}}};
  return result;
}

std::optional<std::size_t> CellAt(const ScreenLayout& layout, int x, int y) {
  for (std::size_t i = 0; i < layout.cells.size(); ++i)
    if (layout.cells[i].cell.Contains(x, y)) return i;
  return std::nullopt;
}

}  // namespace menuforge

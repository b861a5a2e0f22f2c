#include "preview/preview_rendering.h"

#include <algorithm>
#include <vector>

namespace menuforge {
namespace {

constexpr Colour kScreenColour{255, 248, 248, 244};
constexpr Colour kBarColour{255, 32, 56, 104};
constexpr Colour kSoftkeyBarColour{255, 40, 40, 40};
constexpr Colour kBarText{255, 255, 255, 255};
constexpr Colour kPhoneOwnBarText{255, 176, 176, 176};
constexpr Colour kSoftkeyHighlightColour{255, 64, 96, 160};
constexpr Colour kHighlightColour{255, 196, 216, 250};
constexpr Colour kTitleText{255, 0, 0, 0};
// The phone's own titles are not in the file: grey tells them apart.
constexpr Colour kPhoneOwnText{255, 112, 112, 112};
constexpr Colour kPlaceholderColour{255, 150, 150, 150};
constexpr Colour kPlaceholderText{255, 96, 96, 96};
constexpr int kMargin = 3;

class Canvas {
 public:
  Canvas(PictureSize size, TextDrawing& text) : text_(text) {
    picture_.size = size;
    picture_.pixels.assign(std::size_t{size.width} * size.height, kScreenColour);
  }

  RgbaPicture& picture() { return picture_; }
  TextDrawing& text() { return text_; }

  void Fill(const Rect& rect, Colour colour) {
    const Rect r = Clipped(rect);
    for (int y = r.y; y < r.y + r.height; ++y)
      std::fill_n(picture_.pixels.begin() + Index(r.x, y), r.width, colour);
  }

  void Frame(const Rect& rect, Colour colour) {
    Fill({rect.x, rect.y, rect.width, 1}, colour);
    Fill({rect.x, rect.y + rect.height - 1, rect.width, 1}, colour);
    Fill({rect.x, rect.y, 1, rect.height}, colour);
    Fill({rect.x + rect.width - 1, rect.y, 1, rect.height}, colour);
  }

  // Centred in `box`, shrunk by whole steps when larger, blended by its alpha.
  void Icon(const RgbaPicture& icon, const Rect& box) {
    if (icon.size.width == 0 || icon.size.height == 0 || box.width <= 0 || box.height <= 0) return;
    const int step = static_cast<int>(std::max({1u, (icon.size.width + box.width - 1) / box.width,
                                                (icon.size.height + box.height - 1) / box.height}));
    const int width = static_cast<int>(icon.size.width) / step;
    const int height = static_cast<int>(icon.size.height) / step;
    const int left = box.x + (box.width - width) / 2;
    const int top = box.y + (box.height - height) / 2;
    const Rect r = Clipped({left, top, width, height});
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) {
        const Colour& over =
            icon.pixels[static_cast<std::size_t>((y - top) * step) * icon.size.width +
                        static_cast<std::size_t>((x - left) * step)];
        if (over.alpha == 0) continue;
        Colour& under = picture_.pixels[Index(x, y)];
        const unsigned a = over.alpha;
        const auto mix = [a](std::uint8_t u, std::uint8_t o) {
          return static_cast<std::uint8_t>((o * a + u * (255 - a) + 127) / 255);
        };
        under = {255, mix(under.red, over.red), mix(under.green, over.green),
                 mix(under.blue, over.blue)};
      }
    }
  }

  void Line(std::u16string_view line, const Rect& box, Colour colour, int pixels, bool centred,
            bool right = false) {
    const std::u16string fitted = text_.Fitted(line, box.width, pixels);
    const int width = text_.Width(fitted, pixels);
    int x = box.x;
    if (centred) x += (box.width - width) / 2;
    // A line that reads from the right starts at the right.
    if (right || (!centred && text_.RightToLeft(fitted))) x += box.width - width;
    text_.Draw(picture_, fitted, x, box.y + (box.height - pixels) / 2 - 1, box, colour, pixels);
  }

 private:
  Rect Clipped(const Rect& rect) const {
    const int x0 = std::max(rect.x, 0);
    const int y0 = std::max(rect.y, 0);
    const int x1 = std::min(rect.x + rect.width, static_cast<int>(picture_.size.width));
    const int y1 = std::min(rect.y + rect.height, static_cast<int>(picture_.size.height));
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
  }
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * picture_.size.width + static_cast<std::size_t>(x);
  }

  RgbaPicture picture_;
  TextDrawing& text_;
};

// The reason in the icon's place, a word a line, in a grey frame, as large as the box lets it be
// (down to a smallest size that is still read; below that the words are cut).
void Placeholder(Canvas& canvas, std::string_view reason, const Rect& box, int largest) {
  canvas.Frame(box, kPlaceholderColour);
  std::vector<std::u16string> words;
  for (std::size_t start = 0; start < reason.size();) {
    const std::size_t space = std::min(reason.find(' ', start), reason.size());
    words.push_back(Utf8ToWide(reason.substr(start, space - start)));
    start = space + 1;
  }
  constexpr int kSmallest = 6;
  int pixels = largest;
  const auto fits = [&](int size) {
    if ((size + 1) * static_cast<int>(words.size()) > box.height - 2) return false;
    for (const std::u16string& word : words)
      if (canvas.text().Width(word, size) > box.width - 2) return false;
    return true;
  };
  while (pixels > kSmallest && !fits(pixels)) --pixels;
  const int line = pixels + 1;
  const int top = box.y + (box.height - line * static_cast<int>(words.size())) / 2;
  for (std::size_t i = 0; i < words.size(); ++i)
    canvas.Line(words[i], {box.x + 1, top + line * static_cast<int>(i), box.width - 2, line},
                kPlaceholderText, pixels, true);
}

void DrawTitle(Canvas& canvas, const EntryTitle& title, const Rect& box, int pixels, bool centred) {
  if (title.source != TitleSource::PhoneOwn) {
    canvas.Line(title.text, box, kTitleText, pixels, centred);
    return;
  }
  const std::u16string marked = MarkedTitle(title);
  const bool fits = canvas.text().Width(marked, pixels) <= box.width;
  canvas.Line(fits ? marked : title.text, box, kPhoneOwnText, pixels, centred);
}

void DrawEntry(Canvas& canvas, const PreviewEntry& entry, const EntryCell& cell,
               const IconSources& icons, const ScreenLayout& layout, bool highlighted) {
  if (highlighted) canvas.Fill(cell.cell, kHighlightColour);
  const IconLookup icon = LookUpIcon(entry.icon, icons);
  const int small = std::max(7, layout.textPixels - 3);
  if (icon.status == IconStatus::Ready && icon.picture)
    canvas.Icon(*icon.picture, cell.icon);
  else if (icon.status != IconStatus::NoIcon)
    Placeholder(canvas, PlaceholderText(icon.status), cell.icon, small);
  DrawTitle(canvas, entry.title, cell.title, layout.textPixels,
            layout.layout == PreviewLayout::Grid);
}

// On the idle screen the soft keys are the entries: each can be pointed at and highlighted.
void DrawSoftkeys(Canvas& canvas, const PreviewScene& scene) {
  const ScreenLayout& layout = scene.layout;
  for (std::size_t i = 0; i < scene.entries.size() && i < layout.cells.size(); ++i) {
    const EntryCell& cell = layout.cells[i];
    if (i == scene.highlighted) canvas.Fill(cell.cell, kSoftkeyHighlightColour);
    const EntryTitle& title = scene.entries[i].title;
    canvas.Line(title.text, cell.title,
                title.source == TitleSource::PhoneOwn ? kPhoneOwnBarText : kBarText,
                layout.textPixels, false, i == 1);
  }
}

void DrawBars(Canvas& canvas, const PreviewScene& scene) {
  const ScreenLayout& layout = scene.layout;
  const int pixels = layout.textPixels;
  canvas.Fill(layout.titleBar, kBarColour);
  Rect titleBox{layout.titleBar.x + kMargin, layout.titleBar.y, layout.titleBar.width - 2 * kMargin,
                layout.titleBar.height};
  if (scene.pageCount > 1) {
    const std::u16string pages =
        Utf8ToWide(std::to_string(scene.page + 1) + "/" + std::to_string(scene.pageCount));
    canvas.Line(pages, titleBox, kBarText, pixels, false, true);
    titleBox.width -= canvas.text().Width(pages, pixels) + kMargin;
  }
  canvas.Line(scene.folderTitle, titleBox, kBarText, pixels, false);

  canvas.Fill(layout.softkeyBar, kSoftkeyBarColour);
  if (layout.softkeyScreen) {
    DrawSoftkeys(canvas, scene);
    return;
  }
  const int half = layout.softkeyBar.width / 2 - kMargin;
  canvas.Line(scene.leftSoftkey.text,
              {layout.softkeyBar.x + kMargin, layout.softkeyBar.y, half, layout.softkeyBar.height},
              kBarText, pixels, false);
  canvas.Line(scene.rightSoftkey.text,
              {layout.softkeyBar.x + layout.softkeyBar.width / 2, layout.softkeyBar.y, half,
               layout.softkeyBar.height},
              kBarText, pixels, false, true);
}

}  // namespace

RgbaPicture RenderPreview(const PreviewScene& scene, const IconSources& icons, TextDrawing& text) {
  Canvas canvas(scene.layout.screen, text);
  if (icons.phone != nullptr) icons.phone->BeginDrawing();
  if (!scene.layout.softkeyScreen)
    for (std::size_t i = 0; i < scene.entries.size() && i < scene.layout.cells.size(); ++i)
      DrawEntry(canvas, scene.entries[i], scene.layout.cells[i], icons, scene.layout,
                i == scene.highlighted);
  DrawBars(canvas, scene);
  return std::move(canvas.picture());
}

}  // namespace menuforge

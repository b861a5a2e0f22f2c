// Text on a picture without a window system, in any script the phone's languages are written in:
// each run of the line shaped and drawn with a font that has its characters, right-to-left text
// ordered and aligned as it reads. One colour, no window system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "pictures/picture.h"
#include "preview/screen_layout.h"

namespace menuforge {

// A glyph as it is drawn; an empty `font` is a box for a character no font has.
struct DrawnGlyph {
  std::string font;  // the font's family name
  std::uint32_t glyph = 0;
  std::uint32_t character = 0;  // the first code point it draws, counted in the line
};

class TextDrawing {
 public:
  TextDrawing();
  ~TextDrawing();
  TextDrawing(const TextDrawing&) = delete;
  TextDrawing& operator=(const TextDrawing&) = delete;

  // Succeeds once a font for Latin text is found among the fonts installed, or among `fonts`
  // alone when some are named.
  Status Open(const std::vector<std::filesystem::path>& fonts = {});
  bool ready() const;

  int Width(std::u16string_view text, int pixels);
  // Whether the text reads from the right: its first letter that has a direction decides.
  bool RightToLeft(std::u16string_view text);
  // The text, cut at its logical end as far as needed to fit `width` with "…" added, or whole if
  // it fits; right-to-left text thus loses its left end.
  std::u16string Fitted(std::u16string_view text, int width, int pixels);
  // Draws one line with its top at `top`; nothing falls outside `clip` or the picture.
  void Draw(RgbaPicture& picture, std::u16string_view text, int x, int top, const Rect& clip,
            Colour colour, int pixels);
  // The glyphs a line is drawn with, left to right.
  std::vector<DrawnGlyph> Glyphs(std::u16string_view text, int pixels);

  // One line for each script drawn as boxes because no font installed has it.
  std::vector<std::string> warnings() const;

 private:
  struct Fonts;
  std::unique_ptr<Fonts> fonts_;
};

}  // namespace menuforge

// Text on a picture without a window system: glyphs from a TrueType font, drawn in one colour.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "base/result.h"
#include "pictures/picture.h"
#include "preview/screen_layout.h"

namespace menuforge {

// Debian's fonts-dejavu-core puts it here.
inline constexpr char kPreviewFontPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class TextDrawing {
 public:
  TextDrawing();
  ~TextDrawing();
  TextDrawing(const TextDrawing&) = delete;
  TextDrawing& operator=(const TextDrawing&) = delete;

  // Succeeds once the font is ready.
  Status Open(const std::filesystem::path& font = kPreviewFontPath);
  bool ready() const;

  int Width(std::u16string_view text, int pixels);
  // The text, cut behind as many characters as fit `width` with "…" added, or whole if it fits.
  std::u16string Fitted(std::u16string_view text, int width, int pixels);
  // Draws one line with its top at `top`; nothing falls outside `clip` or the picture.
  void Draw(RgbaPicture& picture, std::u16string_view text, int x, int top, const Rect& clip,
            Colour colour, int pixels);

 private:
  struct Font;
  std::unique_ptr<Font> font_;
};

}  // namespace menuforge

#include "preview/text_drawing.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <vector>

namespace menuforge {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char16_t kEllipsis = u'\u2026';

struct Glyph {
  int left = 0;
  int top = 0;  // above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;
};

// UTF-16 to code points; a lone surrogate stands as the replacement character.
std::u32string CodePoints(std::u16string_view text) {
  std::u32string points;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      points.push_back(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= 0xD800 && unit < 0xE000) {
      points.push_back(kReplacement);
    } else {
      points.push_back(unit);
    }
  }
  return points;
}

std::uint8_t Blend(std::uint8_t under, std::uint8_t over, unsigned coverage) {
  return static_cast<std::uint8_t>((over * coverage + under * (255 - coverage) + 127) / 255);
}

}  // namespace

struct TextDrawing::Font {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::map<std::pair<int, char32_t>, Glyph> glyphs;

  ~Font() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }

  int Ascent(int pixels) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    return static_cast<int>(face->size->metrics.ascender >> 6);
  }

  // Rendered once per size and kept: a redraw draws the same few dozen characters again.
  const Glyph& GlyphOf(char32_t point, int pixels) {
    const auto key = std::make_pair(pixels, point);
    if (auto known = glyphs.find(key); known != glyphs.end()) return known->second;
    Glyph glyph;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    if (FT_Load_Char(face, point, FT_LOAD_RENDER) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bitmap = slot->bitmap;
      glyph.left = slot->bitmap_left;
      glyph.top = slot->bitmap_top;
      glyph.advance = static_cast<int>(slot->advance.x >> 6);
      if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        for (unsigned row = 0; row < bitmap.rows; ++row) {
          const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
          glyph.coverage.insert(glyph.coverage.end(), line, line + bitmap.width);
        }
      }
    }
    return glyphs.emplace(key, std::move(glyph)).first->second;
  }
};

TextDrawing::TextDrawing() = default;
TextDrawing::~TextDrawing() = default;

Status TextDrawing::Open(const std::filesystem::path& font) {
  auto opened = std::make_unique<Font>();
  if (FT_Init_FreeType(&opened->library) != 0) return Failure("Cannot start the font engine");
  if (FT_New_Face(opened->library, font.c_str(), 0, &opened->face) != 0)
    return Failure("Cannot load the font \"" + font.string() +
                   "\" (Debian: install the package fonts-dejavu-core)");
  font_ = std::move(opened);
  return {};
}

bool TextDrawing::ready() const { return font_ != nullptr; }

int TextDrawing::Width(std::u16string_view text, int pixels) {
  int width = 0;
  for (char32_t point : CodePoints(text)) width += font_->GlyphOf(point, pixels).advance;
  return width;
}

std::u16string TextDrawing::Fitted(std::u16string_view text, int width, int pixels) {
  if (Width(text, pixels) <= width) return std::u16string(text);
  std::u16string cut(text);
  while (!cut.empty()) {
    cut.pop_back();
    if (!cut.empty() && cut.back() >= 0xD800 && cut.back() < 0xDC00) cut.pop_back();
    if (Width(cut + kEllipsis, pixels) <= width) return cut + kEllipsis;
  }
  return {};
}

void TextDrawing::Draw(RgbaPicture& picture, std::u16string_view text, int x, int top,
                       const Rect& clip, Colour colour, int pixels) {
  const int left = std::max(clip.x, 0);
  const int right = std::min(clip.x + clip.width, static_cast<int>(picture.size.width));
  const int upper = std::max(clip.y, 0);
  const int lower = std::min(clip.y + clip.height, static_cast<int>(picture.size.height));
  const int baseline = top + font_->Ascent(pixels);
  int pen = x;
  for (char32_t point : CodePoints(text)) {
    const Glyph& glyph = font_->GlyphOf(point, pixels);
    for (int row = 0; row < glyph.rows; ++row) {
      const int y = baseline - glyph.top + row;
      if (y < upper || y >= lower) continue;
      for (int column = 0; column < glyph.width; ++column) {
        const int px = pen + glyph.left + column;
        if (px < left || px >= right) continue;
        const unsigned coverage =
            glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)];
        if (coverage == 0) continue;
        Colour& under = picture.pixels[static_cast<std::size_t>(y) * picture.size.width +
                                       static_cast<std::size_t>(px)];
        under = {std::max(under.alpha, static_cast<std::uint8_t>(coverage)),
                 Blend(under.red, colour.red, coverage), Blend(under.green, colour.green, coverage),
                 Blend(under.blue, colour.blue, coverage)};
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace menuforge

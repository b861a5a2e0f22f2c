#include "preview/text_drawing.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "preview/text_shaping.h"

namespace menuforge {
namespace {

constexpr char16_t kEllipsis = u'\u2026';
// A window open for a long session sees every title the user ever typed; past this many lines
// the cache starts again rather than grow.
constexpr std::size_t kCachedLines = 4096;

struct Glyph {
  int left = 0;
  int top = 0;  // above the baseline
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;
};

std::uint8_t Blend(std::uint8_t under, std::uint8_t over, unsigned coverage) {
  return static_cast<std::uint8_t>((over * coverage + under * (255 - coverage) + 127) / 255);
}

std::u16string Key(std::u16string_view text, int pixels, int extra) {
  std::u16string key{static_cast<char16_t>(pixels), static_cast<char16_t>(extra)};
  key.append(text);
  return key;
}

class Painter {
 public:
  Painter(RgbaPicture& picture, const Rect& clip, Colour colour)
      : picture_(picture),
        colour_(colour),
        left_(std::max(clip.x, 0)),
        right_(std::min(clip.x + clip.width, static_cast<int>(picture.size.width))),
        upper_(std::max(clip.y, 0)),
        lower_(std::min(clip.y + clip.height, static_cast<int>(picture.size.height))) {}

  void Dot(int x, int y, unsigned coverage) {
    if (coverage == 0 || x < left_ || x >= right_ || y < upper_ || y >= lower_) return;
    Colour& under = picture_.pixels[static_cast<std::size_t>(y) * picture_.size.width +
                                    static_cast<std::size_t>(x)];
    under = {std::max(under.alpha, static_cast<std::uint8_t>(coverage)),
             Blend(under.red, colour_.red, coverage), Blend(under.green, colour_.green, coverage),
             Blend(under.blue, colour_.blue, coverage)};
  }

  void Bitmap(const Glyph& glyph, int x, int y) {
    for (int row = 0; row < glyph.rows; ++row)
      for (int column = 0; column < glyph.width; ++column)
        Dot(x + glyph.left + column, y - glyph.top + row,
            glyph.coverage[static_cast<std::size_t>(row * glyph.width + column)]);
  }

  // The box a character without a font is drawn as, standing on the baseline.
  void Box(int x, int baseline, int width, int height) {
    for (int column = x + 1; column < x + width - 1; ++column) {
      Dot(column, baseline - height, 255);
      Dot(column, baseline - 1, 255);
    }
    for (int y = baseline - height; y < baseline; ++y) {
      Dot(x + 1, y, 255);
      Dot(x + width - 2, y, 255);
    }
  }

 private:
  RgbaPicture& picture_;
  Colour colour_;
  int left_, right_, upper_, lower_;
};

}  // namespace

struct TextDrawing::Fonts {
  FontFaces faces;
  std::unordered_map<std::u16string, ShapedLine> lines;
  std::unordered_map<std::u16string, std::u16string> fitted;
  std::map<std::tuple<int, int, std::uint32_t>, Glyph> glyphs;
  std::set<hb_script_t> missing;

  const ShapedLine& Line(std::u16string_view text, int pixels,
                         LineDirection direction = LineDirection::Auto) {
    std::u16string key = Key(text, pixels, static_cast<int>(direction));
    if (auto known = lines.find(key); known != lines.end()) return known->second;
    if (lines.size() >= kCachedLines) lines.clear();
    ShapedLine line = ShapeLine(faces, CodePoints(text), pixels, direction);
    missing.insert(line.missingScripts.begin(), line.missingScripts.end());
    return lines.emplace(std::move(key), std::move(line)).first->second;
  }

  int Ascent(int pixels) {
    FT_Face face = faces.Face(faces.LatinFont(), pixels);
    return face != nullptr ? static_cast<int>(face->size->metrics.ascender >> 6) : pixels;
  }

  // Rendered once per font, size and glyph and kept: a redraw draws the same glyphs again.
  const Glyph& GlyphOf(int font, int pixels, std::uint32_t id) {
    const auto key = std::make_tuple(font, pixels, id);
    if (auto known = glyphs.find(key); known != glyphs.end()) return known->second;
    Glyph glyph;
    FT_Face face = faces.Face(font, pixels);
    if (face != nullptr && FT_Load_Glyph(face, id, FT_LOAD_RENDER) == 0 &&
        face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      const FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bitmap = slot->bitmap;
      glyph.left = slot->bitmap_left;
      glyph.top = slot->bitmap_top;
      glyph.width = static_cast<int>(bitmap.width);
      glyph.rows = static_cast<int>(bitmap.rows);
      for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        glyph.coverage.insert(glyph.coverage.end(), line, line + bitmap.width);
      }
    }
    return glyphs.emplace(key, std::move(glyph)).first->second;
  }

  // The longest start of the text, ended at a cluster so that no letter loses its marks, that
  // fits `width` with the ellipsis behind it. The widths of the whole line's clusters give the
  // first guess; a cut letter may change its form, so the guess is shaped and checked.
  std::u16string Fit(std::u16string_view text, int width, int pixels) {
    // Held by value: shaping the cuts may empty the cache `whole` lives in.
    const ShapedLine whole = Line(text, pixels);
    const LineDirection direction =
        whole.rightToLeft ? LineDirection::RightToLeft : LineDirection::LeftToRight;
    const std::u32string points = CodePoints(text);
    std::vector<int> clusterWidth(points.size() + 1, 0);
    for (const ShapedGlyph& glyph : whole.glyphs)
      clusterWidth[std::min<std::size_t>(glyph.cluster, points.size())] += glyph.advance;
    std::vector<std::size_t> ends;  // code point counts that end at a cluster, shortest first
    std::vector<int> endWidths;
    int sum = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
      sum += clusterWidth[i];
      if (i + 1 < points.size() && clusterWidth[i + 1] == 0 && IsInsideCluster(whole, i + 1))
        continue;
      ends.push_back(i + 1);
      endWidths.push_back(sum);
    }
    const int ellipsis = Line(std::u16string(1, kEllipsis), pixels).width * 64;
    std::size_t chosen = ends.size();
    while (chosen > 0 && endWidths[chosen - 1] + ellipsis > width * 64) --chosen;
    for (; chosen > 0; --chosen) {
      std::u16string cut = Utf16Prefix(text, ends[chosen - 1]) + kEllipsis;
      if (Line(cut, pixels, direction).width > width) continue;
      // A cut that kept no letter with a direction would read the other way round; a mark of
      // the whole's direction, drawn as nothing, holds it.
      if (Line(cut, pixels).rightToLeft != whole.rightToLeft)
        cut.insert(cut.begin(), whole.rightToLeft ? u'\u200F' : u'\u200E');
      return cut;
    }
    return Line(std::u16string(1, kEllipsis), pixels).width <= width ? std::u16string(1, kEllipsis)
                                                                     : std::u16string();
  }

  static bool IsInsideCluster(const ShapedLine& line, std::size_t point) {
    return std::none_of(line.glyphs.begin(), line.glyphs.end(),
                        [point](const ShapedGlyph& g) { return g.cluster == point; });
  }

  static std::u16string Utf16Prefix(std::u16string_view text, std::size_t points) {
    std::size_t unit = 0;
    for (std::size_t i = 0; i < points && unit < text.size(); ++i) {
      const bool pair = text[unit] >= 0xD800 && text[unit] < 0xDC00 && unit + 1 < text.size() &&
                        text[unit + 1] >= 0xDC00 && text[unit + 1] < 0xE000;
      unit += pair ? 2 : 1;
    }
    return std::u16string(text.substr(0, unit));
  }
};

TextDrawing::TextDrawing() = default;
TextDrawing::~TextDrawing() = default;

Status TextDrawing::Open(const std::vector<std::filesystem::path>& fonts) {
  auto opened = std::make_unique<Fonts>();
  if (Status status = opened->faces.Open(fonts); !status) return status;
  fonts_ = std::move(opened);
  return {};
}

bool TextDrawing::ready() const { return fonts_ != nullptr; }

int TextDrawing::Width(std::u16string_view text, int pixels) {
  return fonts_->Line(text, pixels).width;
}

bool TextDrawing::RightToLeft(std::u16string_view text) {
  return ReadsRightToLeft(CodePoints(text));
}

std::u16string TextDrawing::Fitted(std::u16string_view text, int width, int pixels) {
  if (Width(text, pixels) <= width) return std::u16string(text);
  std::u16string key = Key(text, pixels, width);
  if (auto known = fonts_->fitted.find(key); known != fonts_->fitted.end()) return known->second;
  if (fonts_->fitted.size() >= kCachedLines) fonts_->fitted.clear();
  std::u16string fitted = fonts_->Fit(text, width, pixels);
  fonts_->fitted.emplace(std::move(key), fitted);
  return fitted;
}

void TextDrawing::Draw(RgbaPicture& picture, std::u16string_view text, int x, int top,
                       const Rect& clip, Colour colour, int pixels) {
  const ShapedLine& line = fonts_->Line(text, pixels);
  const int baseline = top + fonts_->Ascent(pixels);
  Painter painter(picture, clip, colour);
  for (const ShapedGlyph& glyph : line.glyphs) {
    const int left = x + (glyph.x + 32) / 64;
    if (glyph.font == kNoFont) {
      painter.Box(left, baseline, (glyph.advance + 32) / 64, pixels * 7 / 10);
      continue;
    }
    painter.Bitmap(fonts_->GlyphOf(glyph.font, pixels, glyph.glyph), left,
                   baseline - (glyph.y + 32) / 64);
  }
}

std::vector<DrawnGlyph> TextDrawing::Glyphs(std::u16string_view text, int pixels) {
  std::vector<DrawnGlyph> drawn;
  for (const ShapedGlyph& glyph : fonts_->Line(text, pixels).glyphs) {
    std::string font;
    if (glyph.font != kNoFont) {
      FT_Face face = fonts_->faces.Face(glyph.font, pixels);
      font = face != nullptr && face->family_name != nullptr ? face->family_name : "?";
    }
    drawn.push_back({std::move(font), glyph.glyph, glyph.cluster});
  }
  return drawn;
}

std::vector<std::string> TextDrawing::warnings() const {
  std::vector<std::string> lines;
  if (fonts_ == nullptr) return lines;
  for (hb_script_t script : fonts_->missing)
    lines.push_back("No font for the " + ScriptName(script) +
                    " script is installed: its text is drawn as boxes (Debian: install the "
                    "package " +
                    FontPackageFor(script) + ")");
  return lines;
}

}  // namespace menuforge

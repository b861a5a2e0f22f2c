// One line of text made into glyphs: ordered by the bidirectional algorithm (FriBidi), cut into
// runs of one direction, script and font, each run shaped by HarfBuzz (joining, ligatures, marks).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "preview/font_faces.h"

namespace menuforge {

struct ShapedGlyph {
  int font = kNoFont;  // kNoFont: no font has the character; drawn as a box
  std::uint32_t glyph = 0;
  int x = 0;  // from the line's left end, in 1/64 pixel
  int y = 0;  // up from the baseline, in 1/64 pixel
  int advance = 0;
  std::uint32_t cluster = 0;  // the code point it starts from, in logical order
};

enum class LineDirection { Auto, LeftToRight, RightToLeft };

struct ShapedLine {
  std::vector<ShapedGlyph> glyphs;  // left to right as drawn
  int width = 0;                    // in pixels
  bool rightToLeft = false;         // the paragraph's direction
  std::set<hb_script_t> missingScripts;
};

// UTF-16 to code points; a lone surrogate stands as the replacement character.
std::u32string CodePoints(std::u16string_view text);

// Whether the paragraph's first letter that has a direction reads from the right.
bool ReadsRightToLeft(std::u32string_view points);

// `direction` Auto takes the paragraph's direction from its first strong character.
ShapedLine ShapeLine(FontFaces& fonts, std::u32string_view points, int pixels,
                     LineDirection direction = LineDirection::Auto);

// The width of a box drawn for a character no font has.
int MissingGlyphAdvance(int pixels);

}  // namespace menuforge

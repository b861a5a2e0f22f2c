#include "preview/text_shaping.h"

#include <fribidi.h>

#include <algorithm>
#include <memory>

namespace menuforge {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Run {
  std::size_t start = 0;
  std::size_t length = 0;
  FriBidiLevel level = 0;
  hb_script_t script = HB_SCRIPT_COMMON;
  int font = kNoFont;
};

bool Weak(hb_script_t script) {
  return script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN;
}

// Spaces, digits, punctuation and marks belong to the script around them, so that they are
// shaped, and take their font, with the letters they stand between.
std::vector<hb_script_t> ResolvedScripts(std::u32string_view points) {
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  std::vector<hb_script_t> scripts(points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    scripts[i] = hb_unicode_script(unicode, points[i]);
  const auto first = std::find_if_not(scripts.begin(), scripts.end(), Weak);
  hb_script_t last = first != scripts.end() ? *first : HB_SCRIPT_LATIN;
  for (hb_script_t& script : scripts) {
    if (Weak(script))
      script = last;
    else
      last = script;
  }
  return scripts;
}

bool Japanese(const std::vector<hb_script_t>& scripts) {
  return std::any_of(scripts.begin(), scripts.end(), [](hb_script_t s) {
    return s == HB_SCRIPT_HIRAGANA || s == HB_SCRIPT_KATAKANA;
  });
}

bool Has(FontFaces& fonts, int font, char32_t point, int pixels) {
  if (font == kNoFont) return false;
  FT_Face face = fonts.Face(font, pixels);
  return face != nullptr && FT_Get_Char_Index(face, point) != 0;
}

std::vector<int> ChosenFonts(FontFaces& fonts, std::u32string_view points,
                             const std::vector<hb_script_t>& scripts, int pixels) {
  hb_unicode_funcs_t* unicode = hb_unicode_funcs_get_default();
  const bool japanese = Japanese(scripts);
  std::vector<int> chosen(points.size(), kNoFont);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const int previous = i > 0 ? chosen[i - 1] : kNoFont;
    if (i > 0 && scripts[i] == scripts[i - 1] && Has(fonts, previous, points[i], pixels)) {
      chosen[i] = previous;
      continue;
    }
    chosen[i] = fonts.FontFor(points[i], LanguageForScript(scripts[i], japanese));
    // Joiners and direction marks are in few fonts' tables, but the shaper hides them in any.
    if (chosen[i] == kNoFont &&
        hb_unicode_general_category(unicode, points[i]) == HB_UNICODE_GENERAL_CATEGORY_FORMAT)
      chosen[i] = previous != kNoFont ? previous : fonts.LatinFont();
  }
  return chosen;
}

std::vector<Run> Runs(const std::vector<FriBidiLevel>& levels,
                      const std::vector<hb_script_t>& scripts, const std::vector<int>& chosen) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (!runs.empty() && runs.back().level == levels[i] && runs.back().script == scripts[i] &&
        runs.back().font == chosen[i]) {
      ++runs.back().length;
      continue;
    }
    runs.push_back({i, 1, levels[i], scripts[i], chosen[i]});
  }
  return runs;
}

// From the highest level down to the lowest odd one, every stretch of runs at that level or
// above turns around.
void ToVisualOrder(std::vector<Run>& runs) {
  if (runs.empty()) return;
  FriBidiLevel highest = 0;
  FriBidiLevel lowestOdd = 127;
  for (const Run& run : runs) {
    highest = std::max(highest, run.level);
    if (run.level % 2 == 1) lowestOdd = std::min(lowestOdd, run.level);
  }
  for (FriBidiLevel level = highest; level >= lowestOdd && level > 0; --level) {
    for (auto begin = runs.begin(); begin != runs.end();) {
      if (begin->level < level) {
        ++begin;
        continue;
      }
      auto end = std::find_if(begin, runs.end(), [level](const Run& r) { return r.level < level; });
      std::reverse(begin, end);
      begin = end;
    }
  }
}

void AddBoxes(ShapedLine& line, const Run& run, int pixels) {
  for (std::size_t i = 0; i < run.length; ++i)
    line.glyphs.push_back({kNoFont, 0, 0, 0, MissingGlyphAdvance(pixels) * 64,
                           static_cast<std::uint32_t>(run.start + i)});
  line.missingScripts.insert(run.script);
}

void AddShaped(ShapedLine& line, FontFaces& fonts, std::u32string_view points, const Run& run,
               bool japanese, int pixels) {
  hb_font_t* shaper = fonts.Shaper(run.font, pixels);
  if (shaper == nullptr) return AddBoxes(line, run, pixels);
  const std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)> buffer(hb_buffer_create(),
                                                                          hb_buffer_destroy);
  hb_buffer_add_utf32(buffer.get(), reinterpret_cast<const std::uint32_t*>(points.data()),
                      static_cast<int>(points.size()), static_cast<unsigned>(run.start),
                      static_cast<int>(run.length));
  hb_buffer_set_direction(buffer.get(), run.level % 2 == 1 ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_set_script(buffer.get(), run.script);
  hb_buffer_set_language(buffer.get(),
                         hb_language_from_string(LanguageForScript(run.script, japanese), -1));
  hb_shape(shaper, buffer.get(), nullptr, 0);
  unsigned count = 0;
  const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer.get(), &count);
  const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer.get(), nullptr);
  for (unsigned i = 0; i < count; ++i) {
    // The font's own "missing" glyph says nothing of the character; a box at least says so.
    if (infos[i].codepoint == 0) {
      line.glyphs.push_back({kNoFont, 0, 0, 0, MissingGlyphAdvance(pixels) * 64, infos[i].cluster});
      line.missingScripts.insert(run.script);
      continue;
    }
    line.glyphs.push_back({run.font, infos[i].codepoint, positions[i].x_offset,
                           positions[i].y_offset, positions[i].x_advance, infos[i].cluster});
  }
}

}  // namespace

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

bool ReadsRightToLeft(std::u32string_view points) {
  std::vector<FriBidiCharType> types(points.size());
  fribidi_get_bidi_types(reinterpret_cast<const FriBidiChar*>(points.data()),
                         static_cast<FriBidiStrIndex>(points.size()), types.data());
  return FRIBIDI_IS_RTL(
      fribidi_get_par_direction(types.data(), static_cast<FriBidiStrIndex>(points.size())));
}

int MissingGlyphAdvance(int pixels) { return std::max(3, pixels * 3 / 5); }

ShapedLine ShapeLine(FontFaces& fonts, std::u32string_view points, int pixels,
                     LineDirection direction) {
  ShapedLine line;
  const auto length = static_cast<FriBidiStrIndex>(points.size());
  const auto* characters = reinterpret_cast<const FriBidiChar*>(points.data());
  std::vector<FriBidiCharType> types(points.size());
  std::vector<FriBidiBracketType> brackets(points.size());
  std::vector<FriBidiLevel> levels(points.size(), 0);
  fribidi_get_bidi_types(characters, length, types.data());
  fribidi_get_bracket_types(characters, length, types.data(), brackets.data());
  FriBidiParType paragraph = direction == LineDirection::RightToLeft   ? FRIBIDI_PAR_RTL
                             : direction == LineDirection::LeftToRight ? FRIBIDI_PAR_LTR
                                                                       : FRIBIDI_PAR_ON;
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &paragraph,
                                          levels.data()) == 0)
    std::fill(levels.begin(), levels.end(), FRIBIDI_IS_RTL(paragraph) ? 1 : 0);
  line.rightToLeft = FRIBIDI_IS_RTL(paragraph);

  const std::vector<hb_script_t> scripts = ResolvedScripts(points);
  std::vector<Run> runs = Runs(levels, scripts, ChosenFonts(fonts, points, scripts, pixels));
  ToVisualOrder(runs);
  const bool japanese = Japanese(scripts);
  for (const Run& run : runs) {
    if (run.font == kNoFont)
      AddBoxes(line, run, pixels);
    else
      AddShaped(line, fonts, points, run, japanese, pixels);
  }
  int pen = 0;
  for (ShapedGlyph& glyph : line.glyphs) {
    glyph.x += pen;
    pen += glyph.advance;
  }
  line.width = (pen + 63) / 64;
  return line;
}

}  // namespace menuforge

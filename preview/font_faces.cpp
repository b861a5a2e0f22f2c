#include "preview/font_faces.h"

#include <hb-ft.h>

namespace menuforge {

FontFaces::~FontFaces() {
  for (auto& [key, sized] : sized_) {
    if (sized.shaper != nullptr) hb_font_destroy(sized.shaper);
    if (sized.face != nullptr) FT_Done_Face(sized.face);
  }
  for (auto& [language, list] : candidates_)
    for (const Candidate& candidate : list) FcCharSetDestroy(candidate.characters);
  if (library_ != nullptr) FT_Done_FreeType(library_);
  if (config_ != nullptr) FcConfigDestroy(config_);
}

Status FontFaces::Open(const std::vector<std::filesystem::path>& files) {
  if (FT_Init_FreeType(&library_) != 0) return Failure("Cannot start the font engine");
  if (files.empty()) {
    config_ = FcInitLoadConfigAndFonts();
  } else {
    config_ = FcConfigCreate();
    for (const std::filesystem::path& file : files) {
      FT_Face face = nullptr;
      const bool readable = FT_New_Face(library_, file.c_str(), 0, &face) == 0;
      if (face != nullptr) FT_Done_Face(face);
      if (!readable ||
          !FcConfigAppFontAddFile(config_, reinterpret_cast<const FcChar8*>(file.c_str())))
        return Failure("Cannot load the font \"" + file.string() + "\"");
    }
  }
  if (config_ == nullptr || LatinFont() == kNoFont)
    return Failure("No font to draw text with (Debian: install the package fonts-dejavu-core)");
  return {};
}

// Fontconfig's whole order of preference, trimmed to the fonts that add characters: a font has a
// character or the ones behind it are asked, so one list serves every character of a script.
const std::vector<FontFaces::Candidate>& FontFaces::CandidatesFor(const std::string& language) {
  if (auto known = candidates_.find(language); known != candidates_.end()) return known->second;
  std::vector<Candidate>& list = candidates_[language];
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  if (!language.empty())
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(language.c_str()));
  FcConfigSubstitute(config_, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* sorted = FcFontSort(config_, pattern, FcTrue, nullptr, &result);
  FcPatternDestroy(pattern);
  if (sorted == nullptr) return list;
  for (int i = 0; i < sorted->nfont; ++i) {
    FcChar8* file = nullptr;
    int index = 0;
    FcBool scalable = FcTrue;
    FcCharSet* characters = nullptr;
    if (FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &characters) != FcResultMatch)
      continue;
    FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
    // Bitmap fonts come in a few sizes only; the preview asks for any.
    FcPatternGetBool(sorted->fonts[i], FC_SCALABLE, 0, &scalable);
    if (!scalable) continue;
    const std::pair<std::string, int> key{reinterpret_cast<const char*>(file), index};
    int font = 0;
    while (font < static_cast<int>(files_.size()) && files_[static_cast<std::size_t>(font)] != key)
      ++font;
    if (font == static_cast<int>(files_.size())) files_.push_back(key);
    list.push_back({font, FcCharSetCopy(characters)});
  }
  FcFontSetDestroy(sorted);
  return list;
}

int FontFaces::FontFor(char32_t point, const char* language) {
  const std::string preferred = language != nullptr ? language : "";
  const auto key = std::make_pair(preferred, point);
  if (auto known = chosen_.find(key); known != chosen_.end()) return known->second;
  int chosen = kNoFont;
  for (const Candidate& candidate : CandidatesFor(preferred)) {
    if (FcCharSetHasChar(candidate.characters, point) && Face(candidate.font, 12) != nullptr) {
      chosen = candidate.font;
      break;
    }
  }
  chosen_.emplace(key, chosen);
  return chosen;
}

const FontFaces::Sized* FontFaces::Open(int font, int pixels) {
  const auto key = std::make_pair(font, pixels);
  if (auto known = sized_.find(key); known != sized_.end())
    return known->second.face != nullptr ? &known->second : nullptr;
  Sized& sized = sized_[key];
  const auto& [path, index] = files_[static_cast<std::size_t>(font)];
  FT_Face face = nullptr;
  if (FT_New_Face(library_, path.c_str(), index, &face) != 0) return nullptr;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  sized.face = face;
  sized.shaper = hb_ft_font_create_referenced(face);
  // Hinted advances, as the glyphs are drawn hinted: the pen then lands where FreeType's own
  // advances would put it.
  hb_ft_font_set_load_flags(sized.shaper, FT_LOAD_DEFAULT);
  return &sized;
}

FT_Face FontFaces::Face(int font, int pixels) {
  const Sized* sized = Open(font, pixels);
  return sized != nullptr ? sized->face : nullptr;
}

hb_font_t* FontFaces::Shaper(int font, int pixels) {
  const Sized* sized = Open(font, pixels);
  return sized != nullptr ? sized->shaper : nullptr;
}

const char* LanguageForScript(hb_script_t script, bool japanese) {
  switch (script) {
    case HB_SCRIPT_ARABIC: return "ar";
    case HB_SCRIPT_HEBREW: return "he";
    case HB_SCRIPT_THAI: return "th";
    case HB_SCRIPT_DEVANAGARI: return "hi";
    case HB_SCRIPT_HAN: return japanese ? "ja" : "zh-cn";
    case HB_SCRIPT_HIRAGANA:
    case HB_SCRIPT_KATAKANA: return "ja";
    case HB_SCRIPT_HANGUL: return "ko";
    case HB_SCRIPT_CYRILLIC: return "ru";
    case HB_SCRIPT_GREEK: return "el";
    case HB_SCRIPT_LATIN: return "en";
    default: return "";
  }
}

std::string ScriptName(hb_script_t script) {
  switch (script) {
    case HB_SCRIPT_ARABIC: return "Arabic";
    case HB_SCRIPT_HEBREW: return "Hebrew";
    case HB_SCRIPT_THAI: return "Thai";
    case HB_SCRIPT_DEVANAGARI: return "Devanagari";
    case HB_SCRIPT_HAN: return "Chinese (Han)";
    case HB_SCRIPT_HIRAGANA: return "Hiragana";
    case HB_SCRIPT_KATAKANA: return "Katakana";
    case HB_SCRIPT_HANGUL: return "Korean (Hangul)";
    case HB_SCRIPT_CYRILLIC: return "Cyrillic";
    case HB_SCRIPT_GREEK: return "Greek";
    case HB_SCRIPT_LATIN: return "Latin";
    default: break;
  }
  char tag[5] = {};
  hb_tag_to_string(hb_script_to_iso15924_tag(script), tag);
  return tag;
}

const char* FontPackageFor(hb_script_t script) {
  switch (script) {
    case HB_SCRIPT_THAI: return "fonts-tlwg-loma-ttf";
    case HB_SCRIPT_DEVANAGARI: return "fonts-lohit-deva";
    case HB_SCRIPT_HAN:
    case HB_SCRIPT_HIRAGANA:
    case HB_SCRIPT_KATAKANA:
    case HB_SCRIPT_HANGUL: return "fonts-wqy-microhei";
    default: return "fonts-dejavu-core";
  }
}

}  // namespace menuforge

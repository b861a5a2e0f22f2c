// The fonts text is drawn with: for each character the first font, in fontconfig's order of
// preference for the character's script, that has it; each font opened once per pixel size, for
// FreeType to draw and HarfBuzz to shape with.
#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/result.h"

namespace menuforge {

inline constexpr int kNoFont = -1;

class FontFaces {
 public:
  FontFaces() = default;
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;

  // The fonts fontconfig knows of, or only `files` when some are named.
  Status Open(const std::vector<std::filesystem::path>& files);

  // The font to draw `point` with, or kNoFont when no font has it; `language` (see
  // LanguageForScript) picks the order of preference, and with it the regional forms of Han.
  int FontFor(char32_t point, const char* language);
  // The font Latin text and digits are drawn with; its ascent places every line's baseline.
  int LatinFont() { return FontFor(U'A', "en"); }

  // The font at a pixel size, or nullptr when FreeType cannot open or size it.
  FT_Face Face(int font, int pixels);
  hb_font_t* Shaper(int font, int pixels);

 private:
  struct Candidate {
    int font;
    FcCharSet* characters;
  };
  struct Sized {
    FT_Face face = nullptr;
    hb_font_t* shaper = nullptr;
  };
  const std::vector<Candidate>& CandidatesFor(const std::string& language);
  const Sized* Open(int font, int pixels);

  FcConfig* config_ = nullptr;
  FT_Library library_ = nullptr;
  std::vector<std::pair<std::string, int>> files_;  // path and face index, by font number
  std::map<std::string, std::vector<Candidate>> candidates_;
  std::map<std::pair<std::string, char32_t>, int> chosen_;
  std::map<std::pair<int, int>, Sized> sized_;
};

// The language whose fonts suit `script` best ("" when any will do).
const char* LanguageForScript(hb_script_t script, bool japanese);
// The script's name as a user knows it ("Thai", "Devanagari"), for messages.
std::string ScriptName(hb_script_t script);
// The Debian package that brings a font for the script.
const char* FontPackageFor(hb_script_t script);

}  // namespace menuforge

#include "menu_json/json_text.h"

#include <algorithm>

#include "menu/menu_tree.h"

namespace menuforge::cli {
namespace {

constexpr char kNotJson[] = "not valid JSON: ";
constexpr char kTooDeep[] = "nested deeper than any menu can be (more than ";
// The library's own words begin with "[json.exception.KIND.N] " and, for syntax errors, "parse
// error at line L, column C: syntax error while parsing WHAT - ".
constexpr std::string_view kLibraryTagEnd = "] ";
constexpr std::string_view kPositionEnd = ": ";
constexpr std::string_view kSyntaxErrorStart = "syntax error while parsing ";
constexpr std::string_view kSyntaxErrorEnd = " - ";

// An entry nests as an object in its parent's "children" array; the deepest chain of entries
// the format allows, inside the top object and "menu", holds a data array of chunks whose
// titles or unknown chunks are objects in an array: five levels more.
constexpr std::size_t kMostLevels = 2 + 2 * kMaxMenuEntries + 5;

struct Place {
  std::size_t line = 1;
  std::size_t column = 1;
};

Place PlaceOf(std::string_view text, std::size_t offset) {
  const std::string_view before = text.substr(0, std::min(offset, text.size()));
  const std::size_t lastBreak = before.rfind('\n');
  return {1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')),
          lastBreak == std::string_view::npos ? before.size() + 1 : before.size() - lastBreak};
}

std::string PlaceText(Place place) {
  return "line " + std::to_string(place.line) + ", column " + std::to_string(place.column) + ": ";
}

// The parser descends once per level; a file nested far deeper than a menu is refused before
// that, at the bracket that goes one level too far.
void CheckNesting(std::string_view text, const std::string& file) {
  std::size_t level = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++level > kMostLevels)
        throw JsonMenuError(file + ": " + kNotJson + PlaceText(PlaceOf(text, i)) + kTooDeep +
                            std::to_string(kMostLevels) + " levels)");
    } else if ((c == ']' || c == '}') && level > 0) {
      --level;
    }
  }
}

// The library's tree builder, remembering where the text stopped making sense: a fault other
// than a syntax error (a number too large) carries no place of its own.
class PlacedTreeBuilder : public nlohmann::detail::json_sax_dom_parser<Json> {
 public:
  using json_sax_dom_parser::json_sax_dom_parser;

  template <class Exception>
  bool parse_error(std::size_t position, const std::string& token, const Exception& error) {
    tokenStart = position >= token.size() ? position - token.size() : 0;
    return json_sax_dom_parser::parse_error(position, token, error);
  }

  std::size_t tokenStart = 0;
};

std::string PlainWords(std::string_view what) {
  if (const std::size_t tag = what.find(kLibraryTagEnd); tag != std::string_view::npos)
    what.remove_prefix(tag + kLibraryTagEnd.size());
  return std::string(what);
}

std::string SyntaxFault(const Json::parse_error& error, std::string_view text) {
  std::string_view why = error.what();
  if (const std::size_t position = why.find(kPositionEnd); position != std::string_view::npos)
    why.remove_prefix(position + kPositionEnd.size());
  if (why.starts_with(kSyntaxErrorStart)) {
    if (const std::size_t end = why.find(kSyntaxErrorEnd); end != std::string_view::npos)
      why.remove_prefix(end + kSyntaxErrorEnd.size());
  }
  // The library counts the byte it stopped at from 1.
  const std::size_t stoppedAt = error.byte > 0 ? error.byte - 1 : 0;
  return PlaceText(PlaceOf(text, stoppedAt)) + std::string(why);
}

}  // namespace

Json ParseJsonText(std::string_view text, const std::string& file) {
  CheckNesting(text, file);
  Json result;
  PlacedTreeBuilder builder(result);
  try {
    Json::sax_parse(text, &builder);
  } catch (const Json::parse_error& error) {
    throw JsonMenuError(file + ": " + kNotJson + SyntaxFault(error, text));
  } catch (const Json::exception& error) {
    throw JsonMenuError(file + ": " + kNotJson + PlaceText(PlaceOf(text, builder.tokenStart)) +
                        PlainWords(error.what()));
  }
  return result;
}

}  // namespace menuforge::cli

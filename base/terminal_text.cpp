#include "base/terminal_text.h"

#include <array>
#include <cstdint>

#include "base/bytes.h"

namespace menuforge {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `text` and its code point, or 0
// when its first byte starts none (overlong forms and surrogates included).
std::size_t SequenceAt(std::string_view text, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (byte(i) & 0x3F);
  }
  if (codePoint < lowest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return 0;
  return length;
}

bool IsBidiControl(char32_t c) {
  return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string CodePointText(char32_t c) {
  std::string hex =
      ByteToHex(static_cast<std::uint8_t>(c >> 8)) + ByteToHex(static_cast<std::uint8_t>(c & 0xFF));
  return "\\u" + hex;
}

}  // namespace

void AppendTerminalSafe(std::string_view text, std::string_view alsoEscaped, std::string& out) {
  out.reserve(out.size() + text.size());
  std::size_t plain = 0;  // start of the run not yet appended
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      if (alsoEscaped.find(text[i]) == std::string_view::npos) {
        ++i;
        continue;
      }
      out.append(text, plain, i - plain);
      out += '\\';
      out += text[i];
      plain = ++i;
      continue;
    }
    char32_t codePoint = 0;
    const std::size_t length = byte < 0x80 ? 1 : SequenceAt(text.substr(i), codePoint);
    if (byte < 0x80) codePoint = byte;
    const bool control = length == 1 || (codePoint >= 0x80 && codePoint <= 0x9F);
    if (length > 1 && !control && !IsBidiControl(codePoint)) {
      i += length;
      continue;
    }
    out.append(text, plain, i - plain);
    if (length == 0)
      out += "\\x" + ByteToHex(byte);
    else if (control)
      out += "\\x" + ByteToHex(static_cast<std::uint8_t>(codePoint));
    else
      out += CodePointText(codePoint);
    i += length == 0 ? 1 : length;
    plain = i;
  }
  out.append(text, plain);
}

std::string TerminalSafe(std::string_view text, std::string_view alsoEscaped) {
  std::string out;
  AppendTerminalSafe(text, alsoEscaped, out);
  return out;
}

}  // namespace menuforge

#include "menu_json/text_forms.h"

namespace menuforge::cli {
namespace {

std::optional<std::uint8_t> HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

}  // namespace

std::string CompactHex(ByteView bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (std::uint8_t byte : bytes) hex += ByteToHex(byte);
  return hex;
}

std::optional<Bytes> ParseCompactHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  Bytes bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const auto high = HexValue(hex[i]);
    const auto low = HexValue(hex[i + 1]);
    if (!high || !low) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*high << 4 | *low));
  }
  return bytes;
}

bool HasSurrogate(std::u16string_view text) {
  for (char16_t c : text)
    if (c >= 0xD800 && c <= 0xDFFF) return true;
  return false;
}

std::string Ucs2Hex(std::u16string_view text) {
  std::string hex;
  hex.reserve(text.size() * 4);
  for (char16_t c : text) {
    hex += ByteToHex(static_cast<std::uint8_t>(c >> 8));
    hex += ByteToHex(static_cast<std::uint8_t>(c & 0xFF));
  }
  return hex;
}

std::optional<std::u16string> ParseUcs2Hex(std::string_view hex) {
  if (hex.size() % 4 != 0) return std::nullopt;
  const std::optional<Bytes> bytes = ParseCompactHex(hex);
  if (!bytes) return std::nullopt;
  std::u16string text;
  for (std::size_t i = 0; i < bytes->size(); i += 2)
    text.push_back(static_cast<char16_t>(ReadU16Be(*bytes, i)));
  return text;
}

namespace {

// Escapes the control characters as "\x1B", and each of `alsoEscaped` with a backslash.
std::string EscapedWith(std::string_view utf8, std::string_view alsoEscaped) {
  constexpr unsigned char kC1Lead = 0xC2;  // U+0080 to U+009F are C2 80 to C2 9F
  std::string escaped;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    const auto byte = static_cast<unsigned char>(c);
    const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if (alsoEscaped.find(c) != std::string_view::npos) {
      escaped += '\\';
      escaped += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      escaped += "\\x" + ByteToHex(byte);
    } else if (byte == kC1Lead && next >= 0x80 && next <= 0x9F) {
      escaped += "\\x" + ByteToHex(next);
      ++i;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::string Escaped(std::string_view utf8) { return EscapedWith(utf8, "\\"); }

std::string Quoted(std::string_view utf8) { return '"' + EscapedWith(utf8, "\\\"") + '"'; }

}  // namespace menuforge::cli

#include "menu_json/text_forms.h"

#include "base/terminal_text.h"

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

std::string Escaped(std::string_view utf8) { return TerminalSafe(utf8, "\\"); }

std::string Quoted(std::string_view utf8) { return '"' + TerminalSafe(utf8, "\\\"") + '"'; }

}  // namespace menuforge::cli

#include "base/text_encoding.h"

#include <algorithm>

namespace menuforge {

Bytes WideToUcs2Be(std::u16string_view text) {
  Bytes bytes;
  bytes.reserve(text.size() * 2 + 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::size_t Ucs2BeLength(ByteView bytes) {
  std::size_t units = 0;
  while (units * 2 + 1 < bytes.size() && (bytes[units * 2] | bytes[units * 2 + 1]) != 0) ++units;
  return units;
}

std::u16string Ucs2BeToWide(ByteView bytes) {
  const std::size_t units = Ucs2BeLength(bytes);
  std::u16string text(units, u'\0');
  for (std::size_t i = 0; i < units; ++i) text[i] = static_cast<char16_t>(ReadU16Be(bytes, i * 2));
  return text;
}

std::uint16_t DecimalToU16(std::u16string_view digits) {
  std::uint16_t value = 0;
  for (char16_t c : digits) value = static_cast<std::uint16_t>(value * 10 + (c - u'0'));
  return value;
}

std::u16string U16ToWide(std::uint16_t value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

std::string ZeroTextToString(ByteView bytes) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(ZeroTextLength(bytes))};
}

std::size_t ZeroTextLength(ByteView bytes) {
  std::size_t n = 0;
  while (n < bytes.size() && bytes[n] != 0) ++n;
  return n;
}

Bytes StringToZeroText(std::string_view text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

bool HasControlByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<std::uint8_t>(c) < 0x20 || c == 0x7F; });
}

std::u16string Utf8ToWide(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0xFFFD;
    std::size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 0x6 && i + 1 < utf8.size()) {
      cp = (c & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
      len = 2;
    } else if ((c >> 4) == 0xE && i + 2 < utf8.size()) {
      cp = (c & 0x0F) << 12 | (utf8[i + 1] & 0x3F) << 6 | (utf8[i + 2] & 0x3F);
      len = 3;
    } else if ((c >> 3) == 0x1E && i + 3 < utf8.size()) {
      cp = (c & 0x07) << 18 | (utf8[i + 1] & 0x3F) << 12 | (utf8[i + 2] & 0x3F) << 6 |
           (utf8[i + 3] & 0x3F);
      len = 4;
    }
    i += len;
    // The phone stores UCS-2, so characters beyond the basic plane cannot be kept.
    out.push_back(cp > 0xFFFF ? u'\uFFFD' : static_cast<char16_t>(cp));
  }
  return out;
}

std::string WideToUtf8(std::u16string_view text) {
  // Measured first and written in place: comparing large menus converts every title.
  std::size_t length = 0;
  for (char16_t c : text) length += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
  std::string out(length, '\0');
  char* at = out.data();
  for (char16_t c : text) {
    if (c < 0x80) {
      *at++ = static_cast<char>(c);
    } else if (c < 0x800) {
      *at++ = static_cast<char>(0xC0 | c >> 6);
      *at++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *at++ = static_cast<char>(0xE0 | c >> 12);
      *at++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
      *at++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::u16string wide(latin1.begin(), latin1.end());
  for (std::size_t i = 0; i < latin1.size(); ++i) wide[i] = static_cast<unsigned char>(latin1[i]);
  return WideToUtf8(wide);
}

Result<std::string> Utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  for (char16_t c : Utf8ToWide(utf8)) {
    if (c > 0xFF) return Failure(kBeyondLatin1Text);
    latin1 += static_cast<char>(c);
  }
  return latin1;
}

}  // namespace menuforge

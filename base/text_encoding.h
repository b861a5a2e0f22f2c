// The text encodings of the menu file and the phone, and their conversions to and from UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "base/result.h"

namespace menuforge {

// UCS-2 big-endian text with its two-byte zero terminator.
Bytes WideToUcs2Be(std::u16string_view text);
// Number of 16-bit units before the first zero unit (or before the end of the bytes).
std::size_t Ucs2BeLength(ByteView bytes);
std::u16string Ucs2BeToWide(ByteView bytes);

// Digits to a 16-bit number, wrapping at 65536; no check (callers validate input first).
std::uint16_t DecimalToU16(std::u16string_view digits);
std::u16string U16ToWide(std::uint16_t value);

// 8-bit zero-terminated texts.
std::string ZeroTextToString(ByteView bytes);
std::size_t ZeroTextLength(ByteView bytes);
Bytes StringToZeroText(std::string_view text);
// Bytes below 0x20 and DEL: no item name, version or identifier of the phone holds them.
bool HasControlByte(std::string_view text);

// Conversions between the UTF-8 the outside world speaks and the file's encodings.
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view text);
// 8-bit texts (names, URLs) are taken byte for byte as Latin-1 when shown as Unicode.
std::string Latin1ToUtf8(std::string_view latin1);
inline constexpr char kBeyondLatin1Text[] =
    "characters above U+00FF cannot be stored as 8-bit text";
// Fails when a character lies above U+00FF.
Result<std::string> Utf8ToLatin1(std::string_view utf8);

}  // namespace menuforge

// Forms in which the file's bytes and texts are shown as plain text, and read back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text_encoding.h"

namespace menuforge::cli {

// "0A0B": two upper-case digits per byte, nothing between them.
std::string CompactHex(ByteView bytes);
// Accepts either letter case; nothing for an odd length or a non-hex digit.
std::optional<Bytes> ParseCompactHex(std::string_view hex);

// A UCS-2 text holding surrogates has no faithful UTF-8 form (the file knows no pairs), so it is
// shown as four hex digits per 16-bit unit instead.
bool HasSurrogate(std::u16string_view text);
std::string Ucs2Hex(std::u16string_view text);
std::optional<std::u16string> ParseUcs2Hex(std::string_view hex);

// UTF-8 with '\' escaped, and all a terminal would act on as TerminalSafe escapes it, so that a
// text from a file or a phone can neither forge a line of output nor drive the terminal.
std::string Escaped(std::string_view utf8);
// UTF-8 in double quotes, escaped as above, '"' too.
std::string Quoted(std::string_view utf8);

}  // namespace menuforge::cli

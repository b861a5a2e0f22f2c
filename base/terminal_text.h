// Text as a terminal may be given it: nothing in it can move the cursor, change colours, set a
// window title, reorder what is shown or be taken for a line of its own.
#pragma once

#include <string>
#include <string_view>

namespace menuforge {

// Escapes the C0 and C1 control characters and DEL as "\x1B" (a C1 character by its code,
// "\x9B"), the bidirectional controls as "\u202E", and each byte that is not part of well-formed
// UTF-8 as "\xE9". Each character of `alsoEscaped` (ASCII) gets a backslash before it.
void AppendTerminalSafe(std::string_view text, std::string_view alsoEscaped, std::string& out);
std::string TerminalSafe(std::string_view text, std::string_view alsoEscaped = {});

}  // namespace menuforge

// The character class that phone file names may use freely.
#pragma once

namespace menuforge {

// A letter or a decimal digit of any script.
bool IsLetterOrDigit(char16_t c);

}  // namespace menuforge

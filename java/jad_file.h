// The MIDlet name in a JAD file, the text descriptor that comes with every installed MIDlet.
#pragma once

#include <string>
#include <string_view>

namespace menuforge {

// The first field of the "MIDlet-1:" line: the line "MIDlet-1: Chess, /chess.png, chess.Main"
// gives "Chess". Lines end at CR or LF and are trimmed of blanks and control characters; a
// line under 10 characters, or one that does not begin with "MIDlet-1:" in exactly that letter
// case, is skipped. Several such lines give their first fields one after another. Empty when the
// file has none.
std::string ReadJadMidletName(std::string_view jad);

}  // namespace menuforge

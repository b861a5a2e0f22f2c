// Core texts that the windows show in the user's language. The core keeps speaking English: a
// marked text is only found by the translators' tools (lupdate reads the marker as it reads
// QT_TRANSLATE_NOOP), and the compiler sees the plain literal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Every core text is marked under the context kCoreTextContext names, written out as a literal
// because the translators' tools read the source as it stands.
#define MENUFORGE_TEXT(context, text) text

namespace menuforge {

inline constexpr char kCoreTextContext[] = "core";

// `source` with each "%1" to "%9" replaced by the value of that number; a number without a value
// and any other '%' stay as they are. The values are inserted as they stand, so a value holding
// "%2" is never filled again.
std::string FilledText(std::string_view source, const std::vector<std::string>& values);

}  // namespace menuforge

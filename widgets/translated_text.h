// The core's texts in the user's language. The core hands over English; what it marked is
// looked up in the loaded translations, and anything else (names, paths, texts from files) is
// shown as it stands.
#pragma once

#include <QString>
#include <string_view>

#include "base/user_messages.h"

namespace menuforge {

// The translation of a marked core text, or the text itself as ShownText shows it.
QString TranslatedCoreText(std::string_view text);

// A message's text: the translation of its source filled with its values, where it has one;
// a value that is itself a marked text is translated too.
QString ShownMessageText(const Message& message);
QString ShownCaption(const Message& message);

}  // namespace menuforge

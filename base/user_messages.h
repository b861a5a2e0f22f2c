// How the core speaks to a user without knowing about windows: it hands over the exact texts,
// and the windows (or a test's recording fake) show them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/marked_text.h"

namespace menuforge {

enum class MessageIcon { None, Information, Warning, Error, Question };

// Captions that messages of several rooms share.
inline constexpr char kErrorCaption[] = MENUFORGE_TEXT("core", "Error");
inline constexpr char kWarningCaption[] = MENUFORGE_TEXT("core", "Warning");
inline constexpr char kProfileErrorCaption[] = MENUFORGE_TEXT("core", "Profile error");

struct Message {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
  // When `text` was filled from a marked source: that source with its "%1", "%2"... and the
  // values, so that a window can fill the source's translation with the same values. A marked
  // text without values needs neither: the window looks `text` itself up.
  std::string source{};
  std::vector<std::string> values{};
  // Two messages are the same when a user reads the same English.
  bool operator==(const Message& other) const {
    return text == other.text && caption == other.caption && icon == other.icon;
  }
};

// A message whose text is `source` (a marked text) filled with `values`.
Message FilledMessage(std::string_view source, std::vector<std::string> values, std::string caption,
                      MessageIcon icon);

// A name or text taken from a file, cut to at most 80 characters (and "…"), so that a hostile
// file cannot fill the screen through a message; the second form puts it in double quotes.
std::string ShortenedForMessage(std::string_view text);
std::string QuotedForMessage(std::string_view text);

// The warnings as they are shown: the first ten, then "… and N more" for the rest.
std::vector<std::string> ShownWarnings(const std::vector<std::string>& warnings);

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  virtual void Show(const Message& message) = 0;
  // Yes/No question; true for Yes.
  virtual bool Ask(const Message& question) = 0;
};

}  // namespace menuforge

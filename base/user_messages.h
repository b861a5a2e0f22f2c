// How the core speaks to a user without knowing about windows: it hands over the exact texts,
// and the windows (or a test's recording fake) show them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace menuforge {

enum class MessageIcon { None, Information, Warning, Error, Question };

// Captions that messages of several rooms share.
inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kWarningCaption[] = "Warning";
inline constexpr char kProfileErrorCaption[] = "Profile error";

struct Message {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::None;
  bool operator==(const Message&) const = default;
};

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

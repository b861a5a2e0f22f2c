// How the core speaks to a user without knowing about windows: it hands over the exact texts,
// and the windows (or a test's recording fake) show them.
#pragma once

#include <string>

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

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  virtual void Show(const Message& message) = 0;
  // Yes/No question; true for Yes.
  virtual bool Ask(const Message& question) = 0;
};

}  // namespace menuforge

// The questions an operation asks in its middle, behind one interface: the windows answer them
// with message boxes, a test or the command-line tool from a script of its own.
#pragma once

#include <optional>

#include "base/user_messages.h"

namespace menuforge {

enum class SaveChoice { Save, Discard, Cancel };

class Asker : public UserDialogs {
 public:
  // "Save changes to NAME?"
  virtual SaveChoice AskToSave(const Message& question) = 0;
  // As Ask and AskToSave, with a "Show changes" button besides; nothing when that was pressed,
  // and the caller shows the changes and asks again.
  virtual std::optional<bool> AskOrShowChanges(const Message& question) = 0;
  virtual std::optional<SaveChoice> AskToSaveOrShowChanges(const Message& question) = 0;
};

}  // namespace menuforge

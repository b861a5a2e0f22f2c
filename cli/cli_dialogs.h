// The core's messages, shown on stderr: there is nobody to click a message box.
#pragma once

#include <ostream>

#include "base/user_messages.h"

namespace menuforge::cli {

class CliDialogs : public UserDialogs {
 public:
  explicit CliDialogs(std::ostream& out) : out_(out) {}
  void Show(const Message& message) override;
  // Nobody can answer, so every question is answered No (and said so).
  bool Ask(const Message& question) override;

 private:
  std::ostream& out_;
};

}  // namespace menuforge::cli

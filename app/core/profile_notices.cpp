#include "app/core/profile_notices.h"

namespace menuforge {

void ProfileNotices::Show(const Message& message) {
  if (!said_.emplace(firmware_, message.text).second) {
    statusText_ = message.text;
    return;
  }
  if (windowShown_)
    boxes_.Show(message);
  else
    held_.push_back(message);
}

void ProfileNotices::WindowShown() {
  windowShown_ = true;
  std::vector<Message> held;
  held.swap(held_);
  for (const Message& message : held) boxes_.Show(message);
}

std::string ProfileNotices::TakeStatusText() {
  std::string text;
  text.swap(statusText_);
  return text;
}

}  // namespace menuforge

// What applying a connecting phone's firmware profile has to say ("Profile not found. Default
// profile will be applied", or a profile's fault). The first time in a run for a firmware it is
// a message box; when the same phone reconnects or restarts, only a status bar text. A box due
// before the main window has faded in waits for it, so that none covers the splash.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/user_messages.h"

namespace menuforge {

class ProfileNotices : public UserDialogs {
 public:
  // `boxes` shows the message boxes.
  explicit ProfileNotices(UserDialogs& boxes) : boxes_(boxes) {}

  // The firmware whose profile is applied next.
  void BeginFirmware(const std::string& firmware) { firmware_ = firmware; }
  void Show(const Message& message) override;
  bool Ask(const Message& question) override { return boxes_.Ask(question); }

  // The main window has faded in: the boxes held back come now, later ones at once.
  void WindowShown();
  // The status bar text of a message said before for the same firmware, taken out; empty when
  // there is none.
  std::string TakeStatusText();

 private:
  UserDialogs& boxes_;
  std::string firmware_;
  std::set<std::pair<std::string, std::string>> said_;  // firmware, text
  std::vector<Message> held_;
  bool windowShown_ = false;
  std::string statusText_;
};

}  // namespace menuforge

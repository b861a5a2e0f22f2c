// Everything the program keeps to reach a phone, around the library it is given: the log, the
// session, the transfers and the phone's menu files.
#pragma once

#include <filesystem>

#include "base/user_messages.h"
#include "phone/fsac_transfer.h"
#include "phone/p2k_library.h"
#include "phone/phone_log.h"
#include "phone/phone_menu_files.h"
#include "phone/phone_session.h"
#include "phone/transfer_progress.h"
#include "workspace/settings.h"

namespace menuforge {

// The link hears of a phone that went before the window does, and forgets what it kept of that
// phone, so that nothing read from one phone is ever written to another.
class PhoneLink : private PhoneObserver {
 public:
  PhoneLink(P2kLibrary& library, const Settings& settings, UserDialogs& dialogs,
            ProgressWindows& windows, PhoneObserver& observer,
            const std::filesystem::path& workingFolder,
            PhoneSession::Wait wait = PhoneSession::DefaultWait)
      : log(settings),
        session(library, log, dialogs, *this, std::move(wait)),
        transfer(session, windows),
        menuFiles(session, transfer, settings, dialogs, workingFolder),
        observer_(observer) {}

  PhoneLog log;
  PhoneSession session;
  FsacTransfer transfer;
  PhoneMenuFiles menuFiles;

 private:
  void PhoneConnected() override { observer_.PhoneConnected(); }
  void PhoneDisconnected() override {
    menuFiles.ForgetPhone();
    observer_.PhoneDisconnected();
  }

  PhoneObserver& observer_;
};

}  // namespace menuforge

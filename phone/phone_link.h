// Everything the program keeps to reach a phone, around the library it is given: the log, the
// session, the transfers and the phone's menu files.
#pragma once

#include <filesystem>

#include "menu/user_messages.h"
#include "phone/fsac_transfer.h"
#include "phone/p2k_library.h"
#include "phone/phone_log.h"
#include "phone/phone_menu_files.h"
#include "phone/phone_session.h"
#include "phone/transfer_progress.h"
#include "workspace/settings.h"

namespace menuforge {

struct PhoneLink {
  PhoneLink(P2kLibrary& library, const Settings& settings, UserDialogs& dialogs,
            ProgressWindows& windows, PhoneObserver& observer,
            const std::filesystem::path& workingFolder,
            PhoneSession::Wait wait = PhoneSession::DefaultWait)
      : log(settings),
        session(library, log, dialogs, observer, std::move(wait)),
        transfer(session, windows),
        menuFiles(session, transfer, settings, dialogs, workingFolder) {}

  PhoneLog log;
  PhoneSession session;
  FsacTransfer transfer;
  PhoneMenuFiles menuFiles;
};

}  // namespace menuforge

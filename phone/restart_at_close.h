// The question about restarting the phone when the main window closes after a menu was stored
// to it.
#pragma once

#include "base/user_messages.h"
#include "phone/phone_menu_files.h"
#include "phone/phone_session.h"

namespace menuforge {

inline constexpr char kRestartQuestionText[] =
    "mma_ucp was stored to the phone\r\n      Should we reboot it?";

// On every close request: when a menu was stored to the phone that is still connected, asks
// once; Yes restarts the phone. The stored-to-phone flag is cleared whatever the answer.
void AskRestartAtClose(PhoneSession& session, PhoneMenuFiles& menuFiles, UserDialogs& dialogs);

}  // namespace menuforge

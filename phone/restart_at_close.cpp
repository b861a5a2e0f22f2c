#include "phone/restart_at_close.h"

namespace menuforge {

void AskRestartAtClose(PhoneSession& session, PhoneMenuFiles& menuFiles, UserDialogs& dialogs) {
  if (!session.storedToPhone || !session.connected()) return;
  if (dialogs.Ask({kRestartQuestionText, "", MessageIcon::Question})) menuFiles.RestartPhone();
  session.storedToPhone = false;
}

}  // namespace menuforge

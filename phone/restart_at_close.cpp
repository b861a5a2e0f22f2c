#include "phone/restart_at_close.h"

namespace menuforge {

void AskRestartAtClose(PhoneSession& session, PhoneMenuFiles& menuFiles, UserDialogs& dialogs) {
  if (!menuFiles.storedToPhone() || !session.connected()) return;
  menuFiles.AnswerRestartQuestion(dialogs.Ask({kRestartQuestionText, "", MessageIcon::Question}));
}

}  // namespace menuforge

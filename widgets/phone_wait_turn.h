// The windows' turns while a call waits for the phone: they repaint and their timers run, but
// clicks and keys wait for the answer (or for the phone to be given up), since one could start
// another phone command in the middle of this one. A Cancel pressed meanwhile takes effect then.
#pragma once

#include "phone/p2k_library.h"

namespace menuforge {

void LetWindowsTurnWhileWaiting(P2kLibrary& library);

}  // namespace menuforge

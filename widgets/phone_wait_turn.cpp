#include "widgets/phone_wait_turn.h"

#include <QCoreApplication>

namespace menuforge {

void LetWindowsTurnWhileWaiting(P2kLibrary& library) {
  library.SetWaitTurn([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
}

}  // namespace menuforge

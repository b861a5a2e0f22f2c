// The "OK" and "Cancel" buttons of the small dialogs.
#pragma once

class QDialog;
class QDialogButtonBox;

namespace menuforge {

// "OK" (the default button, named "okButton") accepts the dialog, "Cancel" ("cancelButton")
// rejects it.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

}  // namespace menuforge

// Captions and file-dialog texts of windows whose work is done below the window rules: the
// operations say what they do through messages, the windows around them are named here.
#pragma once

namespace menuforge {

// The chooser of a phone backup to write back, and of one to compare the open menu with.
inline constexpr char kRestoreBackupCaption[] = "Restore phone backup";
inline constexpr char kCompareWithBackupTitle[] = "Compare with phone backup";
inline constexpr char kNoBackupsText[] = "No backups of this phone yet";

// The file dialogs of the settings window's "Backup SEEM" and "Restore backup".
inline constexpr char kSeemBackupDialogTitle[] = "Save SEEM backup as";
inline constexpr char kSeemRestoreDialogTitle[] = "Restore SEEM backup from";
inline constexpr char kSeemFileFilter[] = "SEEM files|*.seem";
inline constexpr char kSeemBackupFileName[] = "0032_0001.seem";

}  // namespace menuforge

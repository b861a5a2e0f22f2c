// Backing up SEEM 0032 record 1 to a "*.seem" file and restoring it, for the settings window's
// "Backup SEEM" and "Restore backup" buttons. The window asks for the file; these do the rest.
#pragma once

#include <filesystem>

#include "base/user_messages.h"
#include "phone/phone_session.h"
#include "phone/transfer_progress.h"

namespace menuforge {

inline constexpr char kReadingSeemTitle[] = "Reading SEEM 0032_0001";
inline constexpr char kSeemBackupCancelledText[] =
    "The SEEM backup was cancelled: no file was written.";

// Both do nothing while no phone is connected. A read that claims more bytes than the buffer
// holds is refused. With `windows`, the read shows a window that repaints before and after the
// command, and a Cancel pressed meanwhile leaves the file unwritten.
void BackupSeem(PhoneSession& session, const std::filesystem::path& target, UserDialogs& dialogs,
                ProgressWindows* windows = nullptr);
// A file longer than the SEEM buffer (10000 bytes) is refused.
void RestoreSeem(PhoneSession& session, const std::filesystem::path& source, UserDialogs& dialogs);

}  // namespace menuforge

// Backing up SEEM 0032 record 1 to a "*.seem" file and restoring it, for the settings window's
// "Backup SEEM" and "Restore backup" buttons. The window asks for the file; these do the rest.
#pragma once

#include <filesystem>

#include "base/user_messages.h"
#include "phone/phone_session.h"

namespace menuforge {

// Both do nothing while no phone is connected. A read that claims more bytes than the buffer
// holds is refused.
void BackupSeem(PhoneSession& session, const std::filesystem::path& target, UserDialogs& dialogs);
// A file longer than the SEEM buffer (10000 bytes) is refused.
void RestoreSeem(PhoneSession& session, const std::filesystem::path& source, UserDialogs& dialogs);

}  // namespace menuforge

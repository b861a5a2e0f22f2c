// The sub-commands of "menuforge-cli phone".
#pragma once

#include "cli/command.h"

namespace menuforge::cli {

extern const Command kPhoneInfoCommand;
extern const Command kPhoneListCommand;
extern const Command kPhonePullCommand;
extern const Command kPhonePushCommand;
extern const Command kPhoneRemoveCommand;
extern const Command kPhoneBackupMenuCommand;
extern const Command kPhoneMakeFolderCommand;
extern const Command kPhoneRemoveFolderCommand;
extern const Command kPhoneAttributesCommand;
extern const Command kPhoneWriteMenuCommand;
extern const Command kPhoneRestoreMenuCommand;

}  // namespace menuforge::cli

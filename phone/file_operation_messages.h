// Messages of single file operations on the phone, each followed by the phone path.
#pragma once

#include <string_view>

#include "base/user_messages.h"
#include "phone/p2k_library.h"

namespace menuforge {

inline constexpr char kFileReadFailedPrefix[] = "Error reading ";
inline constexpr char kFileWriteFailedPrefix[] = "Error writing ";
inline constexpr char kFileDeleteFailedPrefix[] = "Error deleting ";
inline constexpr char kFolderCreateFailedPrefix[] = "Error creating ";
inline constexpr char kAttributesFailedPrefix[] = "Error changing attributes for ";
// Follows the path when the operation failed because the phone went or stopped answering.
inline constexpr char kConnectionLostSuffix[] = ": the connection to the phone was lost";

// The error box of a file operation the phone refused: `prefix`, the path as messages show it,
// and the lost connection when that was why.
Message PhoneFileFailure(P2kLibrary& library, const char* prefix, std::string_view phonePath);

}  // namespace menuforge

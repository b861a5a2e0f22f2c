// Messages of single file operations on the phone, each followed by the phone path.
#pragma once

namespace menuforge {

inline constexpr char kFileReadFailedPrefix[] = "Error reading ";
inline constexpr char kFileWriteFailedPrefix[] = "Error writing ";
inline constexpr char kFileDeleteFailedPrefix[] = "Error deleting ";
inline constexpr char kFolderCreateFailedPrefix[] = "Error creating ";
inline constexpr char kAttributesFailedPrefix[] = "Error changing attributes for ";
// Follows the path when the operation failed because the phone went or stopped answering.
inline constexpr char kConnectionLostSuffix[] = ": the connection to the phone was lost";

}  // namespace menuforge

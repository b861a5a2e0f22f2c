// Replacing a file of the simulated phone's storage in one piece.
#pragma once

#include <filesystem>

#include "menu/commondata.h"

namespace menuforge {

// Writes a temporary file beside the target and renames it over the target, so a reader sees
// the old file or the new one, never half of one. Unlike the program's own documents it is not
// flushed to the disk first: the storage stands in for a phone, not for the user's work, and a
// flush per upload would slow every transfer down to the disk's pace.
[[nodiscard]] bool ReplaceStorageFile(const std::filesystem::path& path, ByteView bytes);

}  // namespace menuforge

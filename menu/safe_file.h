// Writing a whole file so that a failure never leaves a half-written file in its place.
#pragma once

#include <filesystem>
#include <string>

#include "menu/commondata.h"

namespace menuforge {

// Writes to a temporary file beside the target, flushes it to disk, then renames it over the
// target. Returns the user-facing error text, or empty on success.
[[nodiscard]] std::string WriteFileAtomically(const std::filesystem::path& path, ByteView bytes);

}  // namespace menuforge

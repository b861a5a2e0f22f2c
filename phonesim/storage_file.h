// Replacing a file of the simulated phone's storage in one piece.
#pragma once

#include <cstdint>
#include <filesystem>

#include "base/text_encoding.h"

namespace menuforge {

// Writes a temporary file beside the target and renames it over the target, so a reader sees
// the old file or the new one, never half of one. Unlike the program's own documents it is not
// flushed to the disk first: the storage stands in for a phone, not for the user's work, and a
// flush per upload would slow every transfer down to the disk's pace.
[[nodiscard]] bool ReplaceStorageFile(const std::filesystem::path& path, ByteView bytes);

// The pieces of that replacement, for files written a block at a time. A temporary file in
// `folder`, its name returned in `temporary`; -1 when none could be made.
[[nodiscard]] int CreateTemporaryFile(const std::filesystem::path& folder,
                                      std::filesystem::path& temporary);
// False when not every byte could be written, a full disk included.
[[nodiscard]] bool WriteAllAt(int fd, ByteView bytes, std::uint64_t offset);
// Closes the temporary file and renames it over `target`; on any failure it is removed.
[[nodiscard]] bool PutInPlace(int fd, const std::filesystem::path& temporary,
                              const std::filesystem::path& target);
void DiscardTemporaryFile(int fd, const std::filesystem::path& temporary);

}  // namespace menuforge

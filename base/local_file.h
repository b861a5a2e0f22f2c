// Local files: whole-file reads, writes that never leave a half-written file in place of the
// old one, appended lines, and the error texts the user reads when any of it fails.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "base/result.h"

namespace menuforge {

// Writes to a temporary file beside the target, flushes it to disk, then renames it over the
// target, keeping its permission bits. A symbolic link is written through to the file it names.
// A target that is not a regular file, or is read-only, is refused.
Status WriteFileAtomically(const std::filesystem::path& path, ByteView bytes);
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

// "Cannot open file "PATH". No such file or directory"
std::string FileError(std::string_view action, const std::filesystem::path& path, int error);
std::string FileError(std::string_view action, const std::filesystem::path& path,
                      std::string_view reason);

// Reads at most `limit` bytes from the start of a regular file; a folder, a FIFO or a device is
// refused without waiting on it.
Result<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t limit);
Result<std::string> ReadWholeFile(const std::filesystem::path& path);
// Appends one CR LF line to an existing file; a missing file is an error. When the file does
// not end with a line break, one is written first so the new line stays a line of its own.
Status AppendLine(const std::filesystem::path& path, std::string_view line);

// Lines ended by LF or CR LF; a line break at the very end does not open another line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace menuforge

// Local files: whole-file reads, writes that never leave a half-written file in place of the
// old one, appended lines, and the error texts the user reads when any of it fails.
#pragma once

#include <sys/types.h>

#include <cstdint>
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

// Creates an empty file of a fresh name in the folder of `target`, refusing to open anything
// that is there already, a link included, for a write that is renamed over the target once it
// is whole. Returns 0 with `fd` open for writing and `temporary` named, or the system's error
// number.
[[nodiscard]] int CreateFileBeside(const std::filesystem::path& target, int& fd,
                                   std::filesystem::path& temporary);
// The temporary file of CreateFileBeside has been renamed into place or removed.
void TemporaryFileGone(const std::filesystem::path& temporary);

// The permission bits of a new file: 0666 less the process's umask.
mode_t NewFileMode();
// The error text when something other than a regular file is at `path` (a link counts as
// itself, not as what it names), for a write that would put a file in its place; else empty.
std::string NotReplaceableText(const std::filesystem::path& path);

// "Cannot open file "PATH". No such file or directory"
std::string FileError(std::string_view action, const std::filesystem::path& path, int error);
std::string FileError(std::string_view action, const std::filesystem::path& path,
                      std::string_view reason);

// Opens a regular file for reading and tells its size; a folder, a FIFO or a device is refused
// without waiting on it (every reader of local files opens them here). Returns the error text,
// or empty with `fd` open for the caller to close.
[[nodiscard]] std::string OpenRegularFile(const std::filesystem::path& path, int& fd,
                                          std::uint64_t& size);

// Reads at most `limit` bytes from the start of a regular file; a folder, a FIFO or a device is
// refused without waiting on it.
Result<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t limit);
Result<Bytes> ReadFileStartBytes(const std::filesystem::path& path, std::size_t limit);
Result<std::string> ReadWholeFile(const std::filesystem::path& path);
// As above for inputs that have a largest genuine size: a larger file is refused by its size
// before anything is read, the message naming `kind` ("a picture file").
Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t limit,
                                  std::string_view kind);
Result<Bytes> ReadWholeFileBytes(const std::filesystem::path& path, std::size_t limit,
                                 std::string_view kind);
// Appends one CR LF line to an existing file; a missing file is an error. When the file does
// not end with a line break, one is written first so the new line stays a line of its own.
Status AppendLine(const std::filesystem::path& path, std::string_view line);

// Lines ended by LF or CR LF; a line break at the very end does not open another line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace menuforge

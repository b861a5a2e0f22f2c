// Files and folders made aside for a write that takes its place only once whole. A program
// stopped by SIGINT or SIGTERM removes them on its way out, so that no part of an interrupted
// download or write is left to look like a file of its own.
#pragma once

#include <filesystem>

namespace menuforge {

// Registers a temporary file (or a folder of them) until it is renamed into place or removed.
// A path too long for the registry, or one beyond the most it holds, is simply not registered.
void RegisterTemporaryPath(const std::filesystem::path& path);
void ForgetTemporaryPath(const std::filesystem::path& path);

// From now on, SIGINT and SIGTERM remove every registered file and folder (with what it holds)
// and end the program with 128 plus the signal's number (130 and 143), as a shell reports them.
// One the program was started to ignore stays ignored.
void RemoveTemporaryPathsOnSignals();

}  // namespace menuforge

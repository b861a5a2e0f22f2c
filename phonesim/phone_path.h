// Phone paths on the simulated phone: "/" + volume letter + "/" + folders and file name. A path
// is resolved inside the storage folder or refused; nothing may lead out of it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace menuforge {

// The local path of a phone path below `storage`, or nothing for a path that names no volume
// folder, holds an empty, "." or ".." component, a backslash or a control character, is too
// long for a file list entry, or passes through a symbolic link.
std::optional<std::filesystem::path> ResolvePhonePath(const std::filesystem::path& storage,
                                                      std::string_view phonePath);

// The storage folder as every check compares against it: absolute, links resolved, no trailing
// separator. Left as given, "DIR/" would make "DIR/e" look like no volume folder of "DIR/".
std::filesystem::path NormalStorageRoot(const std::filesystem::path& storage);

// True when `local`, with its links resolved, lies below the normalised `root`.
bool LiesWithin(const std::filesystem::path& root, const std::filesystem::path& local);

// The phone path of a local path below `storage` ("/a/mobile/x.gif").
std::string PhonePathOf(const std::filesystem::path& storage, const std::filesystem::path& local);

// "*" matches any run of characters, "?" one; letter case is ignored.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);

}  // namespace menuforge

// What a start in a working folder another program holds says, and the name of the lock file.
#pragma once

#include <cstdint>
#include <string>

namespace menuforge {

inline constexpr char kFolderLockFileName[] = "menuforge.lock";
inline constexpr char kFolderInUseCaption[] = "Working folder in use";
inline constexpr char kOpenReadOnlyButton[] = "Open read-only";
inline constexpr char kQuitButton[] = "Quit";

// Which process holds the folder, as the lock file tells.
struct FolderHolder {
  std::int64_t processId = 0;
  std::string host;
  std::string program;
};

std::string FolderInUseText(const std::string& folder, const FolderHolder& holder);
// The lock could not be taken for another reason: `reason` names what was found in its place,
// or else the folder may not be writable.
std::string FolderNotLockableText(const std::string& folder,
                                  const std::string& reason = "it may not be writable");

}  // namespace menuforge

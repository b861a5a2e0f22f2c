// The lock a program takes on its working folder for the run, so that a second program started
// there does not empty the first one's log or write over its files.
#pragma once

#include <QLockFile>
#include <filesystem>
#include <functional>

#include "base/user_messages.h"

namespace menuforge {

enum class FolderAccess { Writable, ReadOnly, Quit };

class WorkingFolderLock {
 public:
  explicit WorkingFolderLock(const std::filesystem::path& folder);

  // Takes the lock and keeps it until the object goes. When another process holds it, or it
  // cannot be taken, `openReadOnly` is asked (with which process holds it) whether to go on
  // read-only or quit. A lock left by a program that ended is taken over.
  FolderAccess Take(const std::function<bool(const Message&)>& openReadOnly);

 private:
  std::filesystem::path folder_;
  QLockFile lock_;
};

// The question as a message box with "Open read-only" and "Quit"; true for read-only.
bool AskToOpenReadOnly(const Message& question);

}  // namespace menuforge

// The window's side of the working folder's lock: the question asked when another program
// holds the folder or it cannot be locked.
#pragma once

#include <filesystem>
#include <functional>

#include "app/core/folder_lock.h"
#include "base/user_messages.h"

namespace menuforge {

enum class FolderAccess { Writable, ReadOnly, Quit };

class WorkingFolderLock {
 public:
  explicit WorkingFolderLock(const std::filesystem::path& folder);

  // Takes the lock and keeps it until the object goes. When another process holds it, or it
  // cannot be taken, `openReadOnly` is asked (with which process holds it, or why) whether to go
  // on read-only or quit.
  FolderAccess Take(const std::function<bool(const Message&)>& openReadOnly);

 private:
  FolderLock lock_;
};

// The question as a message box with "Open read-only" and "Quit"; true for read-only.
bool AskToOpenReadOnly(const Message& question);

}  // namespace menuforge

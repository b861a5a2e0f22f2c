// The lock a program takes on its working folder for the run, so that a second program started
// there does not empty the first one's log or write over its files.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace menuforge {

class FolderLock {
 public:
  // `program` is written into the lock for a second program to name its holder.
  FolderLock(std::filesystem::path folder, std::string program);
  // Gives the lock up again, if this object took it and it is still the one in the folder.
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Takes the lock, taking over one left by a process that has ended. Otherwise gives the
  // question to put to the user: which process holds the folder, or why it cannot be locked.
  // The lock file is never followed through a link nor waited on, and read only when it is a
  // regular file of a lock's size, so that nothing planted there can hang or swell the program.
  [[nodiscard]] std::optional<std::string> Take();

 private:
  // Creates the lock file whole under its name: true when taken, else `errno` tells why.
  bool Create();

  std::filesystem::path folder_;
  std::filesystem::path path_;
  std::string program_;
  bool held_ = false;
  ino_t inode_ = 0;
  dev_t device_ = 0;
};

}  // namespace menuforge

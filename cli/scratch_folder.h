// A fresh folder for a command's working copies, removed with the object, and on SIGINT or
// SIGTERM, so that the command leaves nothing behind.
#pragma once

#include <filesystem>

namespace menuforge::cli {

class ScratchFolder {
 public:
  // Below `parent`, named after `pattern` ("name-XXXXXX"). Throws CommandFailure when it cannot
  // be made.
  ScratchFolder(const std::filesystem::path& parent, const char* pattern);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The system's temporary folder.
std::filesystem::path TemporaryFolder();

}  // namespace menuforge::cli

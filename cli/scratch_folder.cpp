#include "cli/scratch_folder.h"

#include <stdlib.h>

#include <cerrno>

#include "base/local_file.h"
#include "base/temporary_files.h"
#include "cli/command.h"

namespace menuforge::cli {

ScratchFolder::ScratchFolder(const std::filesystem::path& parent, const char* pattern) {
  std::string name = (parent / pattern).string();
  if (!::mkdtemp(name.data())) throw CommandFailure(FileError("create", parent / pattern, errno));
  path_ = name;
  RegisterTemporaryPath(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  ForgetTemporaryPath(path_);
}

std::filesystem::path TemporaryFolder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path("/tmp") : folder;
}

}  // namespace menuforge::cli

#include "workspace/working_files.h"

#include <system_error>

namespace menuforge {

void RemoveWorkingFiles(const std::filesystem::path& workingFolder) {
  for (const char* name : {kMenuWorkFile, kPhoneJ2mestWorkFile, kCardJ2mestWorkFile}) {
    std::error_code ignored;
    std::filesystem::remove(workingFolder / name, ignored);
  }
}

}  // namespace menuforge

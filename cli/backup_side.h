// A safety copy of the phone's menu named on the command line as "backup:N", the N-th newest.
#pragma once

#include <filesystem>
#include <string>

namespace menuforge::cli {

inline constexpr char kBackupSidePrefix[] = "backup:";

// The file of "backup:N". Throws CommandFailure when there is no such backup.
std::filesystem::path NumberedPhoneBackup(const std::string& side);

}  // namespace menuforge::cli

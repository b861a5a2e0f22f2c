// Files the program keeps in its working folder while it runs.
#pragma once

#include <filesystem>

namespace menuforge {

inline constexpr char kPhoneLogFile[] = "p2klog.txt";
inline constexpr char kMenuWorkFile[] = "mma_temp";
inline constexpr char kPhoneJ2mestWorkFile[] = "j2mest_temp";
inline constexpr char kCardJ2mestWorkFile[] = "j2mest_mmc";

// Deletes the copies exchanged with the phone; missing ones are fine.
void RemoveWorkingFiles(const std::filesystem::path& workingFolder);

}  // namespace menuforge

// Safety copies of phone menu files, kept before anything is written to a phone: one file per
// copy, named after the phone's IMEI and the time it was taken, the newest twenty kept.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/text_encoding.h"

namespace menuforge {

inline constexpr std::size_t kKeptPhoneBackups = 20;
// Far beyond the largest menu file (below 150 KB): a larger file named as a backup is refused
// by its size before it is read.
inline constexpr std::size_t kLargestPhoneBackup = 1 << 20;
inline constexpr char kPhoneBackupKind[] = "a menu backup";
inline constexpr char kNoBackupFolderText[] =
    "There is no folder for phone backups: neither XDG_DATA_HOME nor HOME is set";

// "$XDG_DATA_HOME/menuforge/backups", or "$HOME/.local/share/menuforge/backups" when
// XDG_DATA_HOME is unset or not absolute; empty when neither can be had.
std::filesystem::path PhoneBackupFolder();

struct PhoneBackup {
  std::filesystem::path path;
  std::string imei;
  std::string time;  // "YYYYMMDD-HHMMSS", local time
};

// The backups in the folder, newest written first. Files not named as backups are not ours: they
// are neither listed nor ever deleted.
std::vector<PhoneBackup> ListPhoneBackups(const std::filesystem::path& folder);

// Keeps `menu` as the phone's newest backup, unless its newest one already holds these bytes,
// reads it back, then deletes the oldest beyond kKeptPhoneBackups, never the copy just made.
// Gives the file that holds the copy.
Result<std::filesystem::path> StorePhoneBackup(const std::filesystem::path& folder,
                                               const std::string& imei, std::time_t when,
                                               ByteView menu);

}  // namespace menuforge

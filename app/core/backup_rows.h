// The rows of the "Restore phone backup" list: which phone each safety copy came from, its IMEI
// and when it was taken, each in full.
#pragma once

#include <string>
#include <vector>

#include "workspace/phone_backups.h"

namespace menuforge {

inline constexpr char kAnotherPhoneText[] = "another phone";
inline constexpr char kThisPhoneText[] = "this phone";

struct BackupRow {
  std::string phone;  // the connected phone's model when the IMEI is its own
  std::string imei;
  std::string taken;  // "2026-12-07 17:22:05"
};

BackupRow BackupRowOf(const PhoneBackup& backup, const std::string& connectedImei,
                      const std::string& connectedModel);

}  // namespace menuforge

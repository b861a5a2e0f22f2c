#include "app/core/backup_rows.h"

namespace menuforge {
namespace {

// "YYYYMMDD-HHMMSS" as a date and a time; anything else as it stands.
std::string ShownTime(const std::string& time) {
  if (time.size() != 15 || time[8] != '-') return time;
  return time.substr(0, 4) + "-" + time.substr(4, 2) + "-" + time.substr(6, 2) + " " +
         time.substr(9, 2) + ":" + time.substr(11, 2) + ":" + time.substr(13, 2);
}

}  // namespace

BackupRow BackupRowOf(const PhoneBackup& backup, const std::string& connectedImei,
                      const std::string& connectedModel) {
  const bool own = !connectedImei.empty() && backup.imei == connectedImei;
  std::string phone = kAnotherPhoneText;
  if (own) phone = connectedModel.empty() ? kThisPhoneText : connectedModel;
  return {phone, backup.imei, ShownTime(backup.time)};
}

}  // namespace menuforge

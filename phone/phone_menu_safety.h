// A safety copy of the phone's menu file before anything is written over it, and the way back:
// writing one of the kept copies to the phone again.
#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/text_encoding.h"
#include "base/user_messages.h"
#include "phone/phone_link.h"
#include "workspace/settings.h"

namespace menuforge {

inline constexpr char kNoSafetyCopyText[] =
    "Nothing was written to the phone: a safety copy of its menu could not be kept.\r\n";
inline constexpr char kSafetyCopyReadFailedText[] = "Reading mma_ucp from the phone failed.";
inline constexpr char kNotAMenuBackupText[] = " does not hold a menu; nothing was written";
inline constexpr char kBackupWriteFailedText[] = "Error writing the backup to the phone";
inline constexpr char kBackupRestoredText[] = "The backup has been written to the phone";

// "Write the backup NAME over the phone's menu?\r\n..."
std::string RestoreBackupQuestion(const std::filesystem::path& backup);

class PhoneMenuSafety {
 public:
  using Clock = std::function<std::time_t()>;

  PhoneMenuSafety(
      PhoneLink& phone, const Settings& settings, UserDialogs& dialogs,
      std::filesystem::path backupFolder, Clock now = [] { return std::time(nullptr); });

  const std::filesystem::path& backupFolder() const { return folder_; }

  // The phone's menu file as Open from phone has just read it, so that the safety copy before
  // the next write need not read it again.
  void RememberPhoneMenu(const std::filesystem::path& copy);
  // A phone that went away may come back changed.
  void ForgetPhoneMenu() { remembered_.reset(); }

  // Writes `menuCopy` ("mma_temp") and the patched J2MEST copies to the phone once a safety copy of
  // the menu file it replaces is kept; when none can be kept, says why and writes nothing. True
  // when the menu file went to the phone.
  [[nodiscard]] bool WritePhoneMenuFiles(const std::filesystem::path& menuCopy);
  // Asks first, keeps a safety copy, then writes the backup over the phone's menu file. True
  // when it was written.
  [[nodiscard]] bool RestoreBackup(const std::filesystem::path& backup);

 private:
  struct PhoneMenu {
    std::string imei;
    Bytes bytes;
  };

  // Keeps the phone's menu file as a backup; the reason when it cannot, else nothing.
  [[nodiscard]] std::optional<std::string> KeepSafetyCopy();
  // The phone's menu file read now; nothing when the phone has none, the reason on failure.
  [[nodiscard]] std::optional<std::string> ReadPhoneMenu(std::optional<Bytes>& menu);
  void Remember(Bytes bytes) { remembered_ = PhoneMenu{phone_.session.imei(), std::move(bytes)}; }

  PhoneLink& phone_;
  const Settings& settings_;
  UserDialogs& dialogs_;
  std::filesystem::path folder_;
  Clock now_;
  std::optional<PhoneMenu> remembered_;
};

}  // namespace menuforge

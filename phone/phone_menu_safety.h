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

namespace menuforge {

inline constexpr char kNoSafetyCopyText[] =
    "Nothing was written to the phone: a safety copy of its menu could not be kept.\r\n";
inline constexpr char kSafetyCopyReadFailedText[] = "Reading mma_ucp from the phone failed.";
inline constexpr char kNotAMenuBackupText[] = " does not hold a menu; nothing was written";
inline constexpr char kBackupWriteFailedText[] = "Error writing the backup to the phone";
inline constexpr char kBackupRestoredText[] = "The backup has been written to the phone";
inline constexpr char kNothingRestoredText[] =
    "Restoring was cancelled: nothing was written, and the phone keeps its menu as it was.";

// Whether the bytes make a menu file that can be opened, whatever items it names.
bool HoldsMenu(ByteView bytes);

// "Write the backup NAME over the phone's menu?\r\n..."
std::string RestoreBackupQuestion(const std::filesystem::path& backup);

class PhoneMenuSafety {
 public:
  using Clock = std::function<std::time_t()>;

  PhoneMenuSafety(
      PhoneLink& phone, UserDialogs& dialogs, std::filesystem::path backupFolder,
      Clock now = [] { return std::time(nullptr); });

  const std::filesystem::path& backupFolder() const { return folder_; }

  // The phone's menu file as Open from phone has just read it, so that the safety copy before
  // the next write need not read it again.
  void RememberPhoneMenu(const std::filesystem::path& copy);
  // A phone that went away may come back changed.
  void ForgetPhoneMenu() { remembered_.reset(); }

  // The phone's menu file: the copy remembered for the connected phone, else (or with
  // `readAgain`) read now and remembered. Nothing when the phone has none; fails with the reason
  // when it cannot be read.
  [[nodiscard]] Result<std::optional<Bytes>> PhoneMenuFile(bool readAgain);
  // The copy remembered for the connected phone, if there is one; nothing is read.
  const Bytes* RememberedPhoneMenu() const;

  // Writes `menuCopy` ("mma_temp") and the patched J2MEST copies to the phone once a safety copy of
  // the menu file it replaces is kept; when none can be kept, or the user cancels reading the
  // phone's menu for it, says so and writes nothing. True when the menu file went to the phone.
  [[nodiscard]] bool WritePhoneMenuFiles(const std::filesystem::path& menuCopy);
  // Asks first (through `confirm` when given, else a Yes/No question), keeps a safety copy, then
  // writes the backup over the phone's menu file. True when it was written.
  using Confirmation = std::function<bool(const Message& question)>;
  [[nodiscard]] bool RestoreBackup(const std::filesystem::path& backup,
                                   const Confirmation& confirm = {});

 private:
  struct PhoneMenu {
    std::string imei;
    Bytes bytes;
  };

  // Keeps the phone's menu file as a backup; fails with "Nothing was written to the phone: ..."
  // and the reason, or with `cancelled_` set when the user stopped reading the phone's menu.
  [[nodiscard]] Status KeepSafetyCopy();
  // The phone's menu file read now under a progress window captioned `progressTitle`, nothing
  // when the phone has none; fails with the reason.
  [[nodiscard]] Result<std::optional<Bytes>> ReadPhoneMenu(const char* progressTitle);
  void Remember(Bytes bytes) { remembered_ = PhoneMenu{phone_.session.imei(), std::move(bytes)}; }

  PhoneLink& phone_;
  UserDialogs& dialogs_;
  std::filesystem::path folder_;
  Clock now_;
  std::optional<PhoneMenu> remembered_;
  bool cancelled_ = false;
};

}  // namespace menuforge

#include "phone/phone_menu_safety.h"

#include "base/local_file.h"
#include "menu/mma_loader.h"
#include "workspace/phone_backups.h"

namespace menuforge {
namespace {

constexpr char kReadingForSafetyTitle[] = "Keeping a copy of mma_ucp";
// The caption of the question and the messages of a restore; the chooser window before it names
// itself.
constexpr char kRestoreBackupCaption[] = "Restore phone backup";
constexpr char kScratchName[] = ".mma_ucp.reading";
constexpr std::uint32_t kMenuExpectedSize = 3000;

std::optional<Bytes> FileBytes(const std::filesystem::path& path, std::string& error) {
  const Result<std::string> text = ReadWholeFile(path);
  error = text.errorText();
  if (!text) return std::nullopt;
  return Bytes(text->begin(), text->end());
}

bool HoldsMenu(ByteView bytes) {
  MenuTree tree;
  FormatOptions options;
  FormatState state;
  const ItemTable noItems;
  return ParseMenuFile(bytes, {noItems, true}, tree, options, state).ok();
}

}  // namespace

std::string RestoreBackupQuestion(const std::filesystem::path& backup) {
  return "Write the backup " + backup.filename().string() +
         " over the phone's menu?\r\nA safety copy of the phone's menu is kept first.";
}

PhoneMenuSafety::PhoneMenuSafety(PhoneLink& phone, const Settings& settings, UserDialogs& dialogs,
                                 std::filesystem::path backupFolder, Clock now)
    : phone_(phone),
      settings_(settings),
      dialogs_(dialogs),
      folder_(std::move(backupFolder)),
      now_(std::move(now)) {}

void PhoneMenuSafety::RememberPhoneMenu(const std::filesystem::path& copy) {
  std::string error;
  if (std::optional<Bytes> bytes = FileBytes(copy, error))
    Remember(std::move(*bytes));
  else
    ForgetPhoneMenu();
}

std::optional<std::string> PhoneMenuSafety::ReadPhoneMenu(std::optional<Bytes>& menu) {
  const std::int32_t count = phone_.session.library().File_CountEx(kPhoneMenuPath);
  // A phone without a menu file has nothing to lose.
  if (count == 0) return std::nullopt;
  if (count < 0) return kSafetyCopyReadFailedText;
  if (folder_.empty()) return kNoBackupFolderText;
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) return "Cannot create folder \"" + folder_.string() + "\". " + error.message();

  const std::filesystem::path scratch = folder_ / kScratchName;
  phone_.session.progressTitle = kReadingForSafetyTitle;
  const TransferResult read =
      phone_.transfer.P2KFileRead(kPhoneMenuPath, scratch, kMenuExpectedSize);
  std::string localError = read.localError;
  std::optional<Bytes> bytes;
  if (read.complete) bytes = FileBytes(scratch, localError);
  std::filesystem::remove(scratch, error);
  if (!localError.empty()) return localError;
  if (!bytes) return kSafetyCopyReadFailedText;
  menu = std::move(bytes);
  return std::nullopt;
}

std::optional<std::string> PhoneMenuSafety::KeepSafetyCopy() {
  std::optional<Bytes> menu;
  if (remembered_ && remembered_->imei == phone_.session.imei())
    menu = remembered_->bytes;
  else if (std::optional<std::string> failed = ReadPhoneMenu(menu))
    return failed;
  if (!menu) return std::nullopt;
  const StoredBackup stored = StorePhoneBackup(folder_, phone_.session.imei(), now_(), *menu);
  if (!stored.error.empty()) return stored.error;
  phone_.session.log().Write("Safety copy of mma_ucp: " + stored.path.string());
  return std::nullopt;
}

bool PhoneMenuSafety::WritePhoneMenuFiles(const std::filesystem::path& menuCopy) {
  if (const std::optional<std::string> failed = KeepSafetyCopy()) {
    dialogs_.Show({kNoSafetyCopyText + *failed, kErrorCaption, MessageIcon::Error});
    return false;
  }
  phone_.menuFiles.WritePhoneMenuFiles();
  if (!phone_.session.storedToPhone) return false;
  RememberPhoneMenu(menuCopy);
  return true;
}

bool PhoneMenuSafety::RestoreBackup(const std::filesystem::path& backup) {
  std::string error;
  std::optional<Bytes> bytes = FileBytes(backup, error);
  if (!bytes) {
    dialogs_.Show({error, kErrorCaption, MessageIcon::Error});
    return false;
  }
  if (!HoldsMenu(*bytes)) {
    dialogs_.Show({backup.filename().string() + kNotAMenuBackupText, kRestoreBackupCaption,
                   MessageIcon::Error});
    return false;
  }
  if (!dialogs_.Ask({RestoreBackupQuestion(backup), kRestoreBackupCaption, MessageIcon::Question}))
    return false;
  if (const std::optional<std::string> failed = KeepSafetyCopy()) {
    dialogs_.Show({kNoSafetyCopyText + *failed, kErrorCaption, MessageIcon::Error});
    return false;
  }
  const TransferResult written = phone_.transfer.P2KFileWrite(backup, kPhoneMenuPath);
  if (!written.localError.empty()) {
    dialogs_.Show(written.LocalErrorMessage());
    return false;
  }
  if (!written.complete) {
    dialogs_.Show({kBackupWriteFailedText, kErrorCaption, MessageIcon::Error});
    return false;
  }
  phone_.session.storedToPhone = true;
  if (settings_.setSystemAttribute)
    static_cast<void>(phone_.menuFiles.SetAttribute(kPhoneMenuPath, kAttributeSystem));
  Remember(std::move(*bytes));
  dialogs_.Show({kBackupRestoredText, "", MessageIcon::Information});
  return true;
}

}  // namespace menuforge

#include "phone/phone_menu_safety.h"

#include "base/local_file.h"
#include "menu/mma_loader.h"
#include "phone/file_operation_messages.h"
#include "workspace/phone_backups.h"

namespace menuforge {
namespace {

constexpr char kReadingForSafetyTitle[] = "Keeping a copy of mma_ucp";
constexpr char kReadingToCompareTitle[] = "Reading mma_ucp to compare";
// The caption of the question and the messages of a restore; the chooser window before it names
// itself.
constexpr char kRestoreBackupCaption[] = "Restore phone backup";
constexpr char kScratchName[] = ".mma_ucp.reading";
constexpr std::uint32_t kMenuExpectedSize = 3000;
const Message kNothingRestoredMessage{kNothingRestoredText, kRestoreBackupCaption,
                                      MessageIcon::Information};

// A file larger than any menu (a planted one, say) is refused before it is read.
Result<Bytes> FileBytes(const std::filesystem::path& path) {
  return ReadWholeFileBytes(path, kLargestPhoneBackup, kPhoneBackupKind);
}

// "Text." as "Text: the connection to the phone was lost." once the phone went.
std::string FailureText(PhoneSession& session, std::string text) {
  if (session.library().connectionOpen()) return text;
  const bool stop = !text.empty() && text.back() == '.';
  if (stop) text.pop_back();
  return text + kConnectionLostSuffix + (stop ? "." : "");
}

Failure NoSafetyCopy(const std::string& reason) {
  return Message{kNoSafetyCopyText + reason, kErrorCaption, MessageIcon::Error};
}

}  // namespace

bool HoldsMenu(ByteView bytes) {
  MenuTree tree;
  FormatOptions options;
  FormatState state;
  const ItemTable noItems;
  return ParseMenuFile(bytes, {noItems, true}, tree, options, state).ok();
}

std::string RestoreBackupQuestion(const std::filesystem::path& backup) {
  return "Write the backup " + backup.filename().string() +
         " over the phone's menu?\r\nA safety copy of the phone's menu is kept first.";
}

PhoneMenuSafety::PhoneMenuSafety(PhoneLink& phone, UserDialogs& dialogs,
                                 std::filesystem::path backupFolder, Clock now)
    : phone_(phone), dialogs_(dialogs), folder_(std::move(backupFolder)), now_(std::move(now)) {}

void PhoneMenuSafety::RememberPhoneMenu(const std::filesystem::path& copy) {
  if (Result<Bytes> bytes = FileBytes(copy))
    Remember(std::move(*bytes));
  else
    ForgetPhoneMenu();
}

Result<std::optional<Bytes>> PhoneMenuSafety::ReadPhoneMenu(const char* progressTitle) {
  const std::int32_t count = phone_.session.library().File_CountEx(kPhoneMenuPath);
  // A phone without a menu file has nothing to lose.
  if (count == 0) return std::optional<Bytes>();
  if (count < 0) return Failure(FailureText(phone_.session, kSafetyCopyReadFailedText));
  if (folder_.empty()) return Failure(kNoBackupFolderText);
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error)
    return Failure("Cannot create folder \"" + folder_.string() + "\". " + error.message());

  const std::filesystem::path scratch = folder_ / kScratchName;
  const std::uint32_t expectedSize =
      phone_.session.FileSize(kPhoneMenuPath).value_or(kMenuExpectedSize);
  const TransferResult read = phone_.transfer.P2KFileRead(kPhoneMenuPath, scratch, expectedSize,
                                                          progressTitle, kMenuFileBytes);
  if (!read.localError.empty()) {
    std::filesystem::remove(scratch, error);
    return Failure(read.localError);
  }
  std::optional<Result<Bytes>> bytes;
  if (read.complete) bytes = FileBytes(scratch);
  std::filesystem::remove(scratch, error);
  cancelled_ = read.cancelled;
  if (!bytes) return Failure(FailureText(phone_.session, kSafetyCopyReadFailedText));
  if (!*bytes) return Failure(bytes->error());
  return std::optional<Bytes>(std::move(**bytes));
}

Status PhoneMenuSafety::KeepSafetyCopy() {
  cancelled_ = false;
  std::optional<Bytes> menu;
  if (remembered_ && remembered_->imei == phone_.session.imei()) {
    menu = remembered_->bytes;
  } else {
    Result<std::optional<Bytes>> read = ReadPhoneMenu(kReadingForSafetyTitle);
    if (!read) return NoSafetyCopy(read.error().text);
    menu = std::move(*read);
  }
  if (!menu) return {};
  const Result<std::filesystem::path> stored =
      StorePhoneBackup(folder_, phone_.session.imei(), now_(), *menu);
  if (!stored) return NoSafetyCopy(stored.error().text);
  phone_.session.log().Write("Safety copy of mma_ucp: " + stored->string());
  return {};
}

Result<std::optional<Bytes>> PhoneMenuSafety::PhoneMenuFile(bool readAgain) {
  if (!readAgain)
    if (const Bytes* remembered = RememberedPhoneMenu()) return std::optional<Bytes>(*remembered);
  Result<std::optional<Bytes>> read = ReadPhoneMenu(kReadingToCompareTitle);
  if (!read) return read;
  if (*read)
    Remember(**read);
  else
    ForgetPhoneMenu();
  return read;
}

const Bytes* PhoneMenuSafety::RememberedPhoneMenu() const {
  if (!remembered_ || remembered_->imei != phone_.session.imei()) return nullptr;
  return &remembered_->bytes;
}

bool PhoneMenuSafety::WritePhoneMenuFiles(const std::filesystem::path& menuCopy) {
  if (const Status kept = KeepSafetyCopy(); !kept) {
    dialogs_.Show(cancelled_ ? Message{kNothingSavedToPhoneText, kSaveToPhoneCaption,
                                       MessageIcon::Information}
                             : kept.error());
    return false;
  }
  phone_.menuFiles.WritePhoneMenuFiles();
  if (!phone_.menuFiles.storedToPhone()) return false;
  RememberPhoneMenu(menuCopy);
  return true;
}

bool PhoneMenuSafety::RestoreBackup(const std::filesystem::path& backup,
                                    const Confirmation& confirm) {
  Result<Bytes> bytes = FileBytes(backup);
  if (!bytes) {
    dialogs_.Show(bytes.error());
    return false;
  }
  if (!HoldsMenu(*bytes)) {
    dialogs_.Show({backup.filename().string() + kNotAMenuBackupText, kRestoreBackupCaption,
                   MessageIcon::Error});
    return false;
  }
  const Message question{RestoreBackupQuestion(backup), kRestoreBackupCaption,
                         MessageIcon::Question};
  if (!(confirm ? confirm(question) : dialogs_.Ask(question))) return false;
  if (const Status kept = KeepSafetyCopy(); !kept) {
    dialogs_.Show(cancelled_ ? kNothingRestoredMessage : kept.error());
    return false;
  }
  // Left unclosed, a cancelled upload never takes the place of the phone's menu.
  const Status written = phone_.menuFiles.StoreMenuFile(
      backup, {kBackupWriteFailedText, kErrorCaption, MessageIcon::Error});
  if (!written) {
    dialogs_.Show(phone_.menuFiles.cancelled() ? kNothingRestoredMessage : written.error());
    return false;
  }
  Remember(std::move(*bytes));
  dialogs_.Show({kBackupRestoredText, "", MessageIcon::Information});
  return true;
}

}  // namespace menuforge

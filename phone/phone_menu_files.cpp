#include "phone/phone_menu_files.h"

#include "phone/file_list_entry.h"
#include "phone/file_operation_messages.h"
#include "workspace/working_files.h"

namespace menuforge {
namespace {

constexpr char kMenuReadFailedText[] = "Error reading mma_ucp";
constexpr char kPhoneJ2mestReadFailedText[] = "Error reading J2MEST [phone]";
constexpr char kCardJ2mestReadFailedText[] =
    "    Error reading J2MEST [card]\r\nFile read error or J2MEST absent";
constexpr char kP2kErrorLowerCaption[] = "P2K error";
constexpr char kMenuWriteFailedText[] = "Error writing mma_ucp";
constexpr char kPhoneJ2mestWriteFailedText[] = "Error writing J2MEST [phone]";
constexpr char kCardJ2mestWriteFailedText[] = "Error writing J2MEST [card]";

constexpr char kReadingMenuTitle[] = "Reading mma_ucp";
constexpr char kReadingPhoneJ2mestTitle[] = "Reading J2MEST [phone]";
constexpr char kReadingCardJ2mestTitle[] = "Reading J2MEST [card]";
constexpr char kRestartLine[] = "Phone is restarted";
constexpr char kMenuName[] = "mma_ucp";
constexpr char kPhoneJ2mestName[] = "J2MEST [phone]";
constexpr char kCardJ2mestName[] = "J2MEST [card]";

constexpr std::uint32_t kMenuExpectedSize = 3000;
constexpr std::uint32_t kJ2mestExpectedSize = 20000;

std::string CardJ2mestFolder(const std::string& imei, bool installed) {
  return std::string("/b/mobile/kjava/") + (installed ? "installed/" : "") + imei + "/";
}

void RemoveCopy(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

std::string Listed(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

}  // namespace

PhoneMenuFiles::PhoneMenuFiles(PhoneSession& session, FsacTransfer& transfer,
                               const Settings& settings, UserDialogs& dialogs,
                               std::filesystem::path workingFolder)
    : session_(session),
      transfer_(transfer),
      settings_(settings),
      dialogs_(dialogs),
      workingFolder_(std::move(workingFolder)) {}

PhoneMenuFiles::CopyRead PhoneMenuFiles::ReadWhole(const std::string& phonePath,
                                                   const std::filesystem::path& local,
                                                   std::uint32_t expectedSize, const char* title,
                                                   const Message& refused) {
  const TransferResult result =
      transfer_.P2KFileRead(phonePath, local, expectedSize, title, kMenuFileBytes);
  // A copy that stopped short must not pass for the phone's file.
  if (!result.complete) RemoveCopy(local);
  if (!result.complete && (!result.localError.empty() || !session_.library().connectionOpen()))
    readIncomplete_ = true;
  if (!result.localError.empty()) return {Failure(result.LocalErrorMessage())};
  // A cancelled read is not tried elsewhere, and the caller says nothing of it.
  if (result.cancelled) {
    cancelled_ = true;
    return {Failure(refused)};
  }
  if (!result.complete) return {Failure(WithConnectionState(refused)), true};
  return {};
}

Message PhoneMenuFiles::WithConnectionState(Message message) const {
  if (!session_.library().connectionOpen()) message.text += kConnectionLostSuffix;
  return message;
}

void PhoneMenuFiles::ShowUnlessCancelled(const Status& failed) {
  if (!cancelled_) dialogs_.Show(failed.error());
}

std::filesystem::path PhoneMenuFiles::ReadPhoneMenuFiles() {
  cancelled_ = false;
  readIncomplete_ = false;
  const std::filesystem::path menuCopy = WorkFile(kMenuWorkFile);
  // The bar follows the phone's own size of the file; the guess serves only when it has none.
  const std::uint32_t expectedSize = session_.FileSize(kPhoneMenuPath).value_or(kMenuExpectedSize);
  const CopyRead menu = ReadWhole(kPhoneMenuPath, menuCopy, expectedSize, kReadingMenuTitle,
                                  {kMenuReadFailedText, kFatalP2kErrorCaption, MessageIcon::Error});
  if (!menu.status) {
    ShowUnlessCancelled(menu.status);
    return {};
  }

  if (const Status volumes = session_.ReadVolumes(); !volumes) {
    // Without the volumes the J2MEST copies cannot be found, which stops the whole read here.
    readIncomplete_ = true;
    dialogs_.Show(
        WithConnectionState({volumes.error().text, kFatalP2kErrorCaption, MessageIcon::Error}));
    return menuCopy;
  }

  j2mest.readFromPhone = false;
  j2mest.readFromCard = false;
  // Patches made to the copies of an earlier read must not send the new copies back unasked.
  j2mest.phoneCopyPatched = false;
  j2mest.cardCopyPatched = false;
  // Copies left by an earlier read would otherwise pass for this phone's.
  RemoveCopy(WorkFile(kPhoneJ2mestWorkFile));
  RemoveCopy(WorkFile(kCardJ2mestWorkFile));
  if (!settings_.fromPhone && !settings_.fromCard) return menuCopy;

  bool stop = false;
  if (settings_.fromPhone) ReadPhoneJ2mest(stop);
  if (!stop && settings_.fromCard && session_.volumes().find(kCardVolume) != std::string::npos)
    ReadCardJ2mest();
  if (!cancelled_) return menuCopy;
  // Half the Java tables would be taken for all of them.
  j2mest.readFromPhone = false;
  j2mest.readFromCard = false;
  RemoveCopy(WorkFile(kPhoneJ2mestWorkFile));
  return {};
}

void PhoneMenuFiles::ReadPhoneJ2mest(bool& stop) {
  const Message refused{kPhoneJ2mestReadFailedText, kFatalP2kErrorCaption, MessageIcon::Error};
  const std::filesystem::path copy = WorkFile(kPhoneJ2mestWorkFile);
  j2mest.phonePath = kPhoneJ2mestPath;
  j2mest.phoneMidletFolder = kPhoneMidletFolder;
  CopyRead read =
      ReadWhole(j2mest.phonePath, copy, kJ2mestExpectedSize, kReadingPhoneJ2mestTitle, refused);
  if (read.refused) {
    j2mest.phonePath = kPhoneJ2mestInstalledPath;
    j2mest.phoneMidletFolder = kPhoneMidletInstalledFolder;
    read =
        ReadWhole(j2mest.phonePath, copy, kJ2mestExpectedSize, kReadingPhoneJ2mestTitle, refused);
  }
  if (!read.status) {
    j2mest.phonePath.clear();
    ShowUnlessCancelled(read.status);
    stop = true;
    return;
  }
  j2mest.readFromPhone = true;
}

void PhoneMenuFiles::ReadCardJ2mest() {
  const Message refused{kCardJ2mestReadFailedText, kP2kErrorLowerCaption, MessageIcon::Error};
  j2mest.readFromCard = true;
  const std::filesystem::path copy = WorkFile(kCardJ2mestWorkFile);
  j2mest.cardMidletFolder = CardJ2mestFolder(session_.imei(), false);
  j2mest.cardPath = j2mest.cardMidletFolder + "J2MEST";
  CopyRead read =
      ReadWhole(j2mest.cardPath, copy, kJ2mestExpectedSize, kReadingCardJ2mestTitle, refused);
  if (read.refused) {
    j2mest.cardMidletFolder = CardJ2mestFolder(session_.imei(), true);
    j2mest.cardPath = j2mest.cardMidletFolder + "J2MEST";
    read = ReadWhole(j2mest.cardPath, copy, kJ2mestExpectedSize, kReadingCardJ2mestTitle, refused);
  }
  if (!read.status) {
    j2mest.readFromCard = false;
    j2mest.cardPath.clear();
    ShowUnlessCancelled(read.status);
  }
}

Status PhoneMenuFiles::WriteFile(const std::filesystem::path& local, const std::string& phonePath,
                                 const Message& refused) {
  const TransferResult result = transfer_.P2KFileWrite(local, phonePath);
  if (result.cancelled) {
    cancelled_ = true;
    return Failure(refused);
  }
  if (!result.localError.empty()) return Failure(result.LocalErrorMessage());
  if (result.bytes == kP2kFailure) return Failure(WithConnectionState(refused));
  return {};
}

Status PhoneMenuFiles::StoreMenuFile(const std::filesystem::path& local, const Message& refused) {
  cancelled_ = false;
  if (Status written = WriteFile(local, kPhoneMenuPath, refused); !written) return written;
  storedToPhone_ = true;
  if (settings_.setSystemAttribute) MarkSystemFile(kPhoneMenuPath);
  return {};
}

void PhoneMenuFiles::WritePhoneMenuFiles() {
  cancelled_ = false;
  storedToPhone_ = false;
  const bool phoneJ2mest = j2mest.phoneCopyPatched && settings_.patchJ2mest;
  const bool cardJ2mest = j2mest.cardCopyPatched && settings_.patchJ2mest;
  // The set in the order it is sent; a cancel leaves what is not yet sent as the phone has it.
  std::vector<std::string> written;
  std::vector<std::string> left{kMenuName};
  if (phoneJ2mest) left.emplace_back(kPhoneJ2mestName);
  if (cardJ2mest) left.emplace_back(kCardJ2mestName);
  const auto sent = [&](const Status& status) {
    if (status) {
      written.push_back(left.front());
      left.erase(left.begin());
      return true;
    }
    if (cancelled_)
      ShowWriteCancelled(written, left);
    else
      dialogs_.Show(status.error());
    return false;
  };

  if (!sent(StoreMenuFile(WorkFile(kMenuWorkFile), {kMenuWriteFailedText, "", MessageIcon::Error})))
    return;
  if (phoneJ2mest) {
    if (!sent(WriteFile(WorkFile(kPhoneJ2mestWorkFile), j2mest.phonePath,
                        {kPhoneJ2mestWriteFailedText, "", MessageIcon::Error})))
      return;
    MarkSystemFile(j2mest.phonePath);
  }
  if (cardJ2mest && sent(WriteFile(WorkFile(kCardJ2mestWorkFile), j2mest.cardPath,
                                   {kCardJ2mestWriteFailedText, "", MessageIcon::Error})))
    MarkSystemFile(j2mest.cardPath);
}

void PhoneMenuFiles::ShowWriteCancelled(const std::vector<std::string>& written,
                                        const std::vector<std::string>& notWritten) {
  if (written.empty()) {
    dialogs_.Show({kNothingSavedToPhoneText, kSaveToPhoneCaption, MessageIcon::Information});
    return;
  }
  dialogs_.Show({"Save to phone was cancelled after writing " + Listed(written) +
                     ".\r\nNot written, the phone keeps its own: " + Listed(notWritten),
                 kSaveToPhoneCaption, MessageIcon::Warning});
}

void PhoneMenuFiles::MarkSystemFile(const std::string& phonePath) {
  // The file is on the phone whole whatever the attribute; a refusal only stands in the log.
  static_cast<void>(SetAttribute(phonePath, kAttributeSystem));
}

Status PhoneMenuFiles::SetAttribute(const std::string& phonePath, std::uint16_t mask) {
  P2kLibrary& library = session_.library();
  std::int32_t result = library.File_Create(phonePath, mask);
  session_.log().Write("Set attribute " + std::to_string(mask) + " to " + phonePath +
                       " RC=" + std::to_string(result));
  if (result != kP2kFailure) result = library.File_Close();
  if (result == kP2kFailure)
    return Failure(PhoneFileFailure(library, kAttributesFailedPrefix, phonePath));
  return {};
}

bool PhoneMenuFiles::RestartPhone() {
  session_.log().Write(kRestartLine);
  // A phone that restarts leaves and comes back, which the connection notices; a refusal leaves
  // it as it was, with nothing to undo.
  const bool restarting = session_.library().P2K_Restart() != kP2kFailure;
  storedToPhone_ = false;
  return restarting;
}

void PhoneMenuFiles::AnswerRestartQuestion(bool restart) {
  if (restart)
    RestartPhone();
  else
    storedToPhone_ = false;
}

void PhoneMenuFiles::ForgetPhone() {
  j2mest = {};
  storedToPhone_ = false;
}

}  // namespace menuforge

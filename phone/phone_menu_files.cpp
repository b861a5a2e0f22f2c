#include "phone/phone_menu_files.h"

#include "phone/file_list_entry.h"
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

constexpr std::uint32_t kMenuExpectedSize = 3000;
constexpr std::uint32_t kJ2mestExpectedSize = 20000;

std::string CardJ2mestFolder(const std::string& imei, bool installed) {
  return std::string("/b/mobile/kjava/") + (installed ? "installed/" : "") + imei + "/";
}

void RemoveCopy(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
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

bool PhoneMenuFiles::ReadWhole(const std::string& phonePath, const std::filesystem::path& local,
                               std::uint32_t expectedSize, bool& localFailed) {
  const TransferResult result = transfer_.P2KFileRead(phonePath, local, expectedSize);
  localFailed = !result.localError.empty();
  if (localFailed) dialogs_.Show(result.LocalErrorMessage());
  // A copy that stopped short must not pass for the phone's file.
  if (!result.complete) RemoveCopy(local);
  return result.complete;
}

std::filesystem::path PhoneMenuFiles::ReadPhoneMenuFiles() {
  session_.progressTitle = kReadingMenuTitle;
  bool localFailed = false;
  const std::filesystem::path menuCopy = WorkFile(kMenuWorkFile);
  if (!ReadWhole(kPhoneMenuPath, menuCopy, kMenuExpectedSize, localFailed)) {
    if (!localFailed)
      dialogs_.Show({kMenuReadFailedText, kFatalP2kErrorCaption, MessageIcon::Error});
    return {};
  }

  if (session_.ReadVolumes() == kP2kFailure) {
    dialogs_.Show({kGettingVolumesFailedText, kFatalP2kErrorCaption, MessageIcon::Error});
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
  if (!stop && settings_.fromCard && session_.volumes.find(kCardVolume) != std::string::npos)
    ReadCardJ2mest();
  return menuCopy;
}

void PhoneMenuFiles::ReadPhoneJ2mest(bool& stop) {
  session_.progressTitle = kReadingPhoneJ2mestTitle;
  const std::filesystem::path copy = WorkFile(kPhoneJ2mestWorkFile);
  bool localFailed = false;
  j2mest.phonePath = kPhoneJ2mestPath;
  j2mest.phoneMidletFolder = kPhoneMidletFolder;
  bool read = ReadWhole(j2mest.phonePath, copy, kJ2mestExpectedSize, localFailed);
  if (!read && !localFailed) {
    j2mest.phonePath = kPhoneJ2mestInstalledPath;
    j2mest.phoneMidletFolder = kPhoneMidletInstalledFolder;
    read = ReadWhole(j2mest.phonePath, copy, kJ2mestExpectedSize, localFailed);
  }
  if (!read) {
    j2mest.phonePath.clear();
    if (!localFailed)
      dialogs_.Show({kPhoneJ2mestReadFailedText, kFatalP2kErrorCaption, MessageIcon::Error});
    stop = true;
    return;
  }
  j2mest.readFromPhone = true;
}

void PhoneMenuFiles::ReadCardJ2mest() {
  j2mest.readFromCard = true;
  session_.progressTitle = kReadingCardJ2mestTitle;
  const std::filesystem::path copy = WorkFile(kCardJ2mestWorkFile);
  bool localFailed = false;
  j2mest.cardMidletFolder = CardJ2mestFolder(session_.imei(), false);
  j2mest.cardPath = j2mest.cardMidletFolder + "J2MEST";
  bool read = ReadWhole(j2mest.cardPath, copy, kJ2mestExpectedSize, localFailed);
  if (!read && !localFailed) {
    j2mest.cardMidletFolder = CardJ2mestFolder(session_.imei(), true);
    j2mest.cardPath = j2mest.cardMidletFolder + "J2MEST";
    read = ReadWhole(j2mest.cardPath, copy, kJ2mestExpectedSize, localFailed);
  }
  if (!read) {
    j2mest.readFromCard = false;
    j2mest.cardPath.clear();
    if (!localFailed)
      dialogs_.Show({kCardJ2mestReadFailedText, kP2kErrorLowerCaption, MessageIcon::Error});
  }
}

bool PhoneMenuFiles::WriteFile(const std::filesystem::path& local, const std::string& phonePath,
                               const char* refusedText) {
  const TransferResult result = transfer_.P2KFileWrite(local, phonePath);
  if (!result.localError.empty()) {
    dialogs_.Show(result.LocalErrorMessage());
    return false;
  }
  if (result.bytes == kP2kFailure) {
    dialogs_.Show({refusedText, "", MessageIcon::Error});
    return false;
  }
  return true;
}

void PhoneMenuFiles::WritePhoneMenuFiles() {
  session_.storedToPhone = false;
  if (!WriteFile(WorkFile(kMenuWorkFile), kPhoneMenuPath, kMenuWriteFailedText)) return;
  session_.storedToPhone = true;
  if (settings_.setSystemAttribute) MarkSystemFile(kPhoneMenuPath);

  if (j2mest.phoneCopyPatched && settings_.patchJ2mest) {
    if (!WriteFile(WorkFile(kPhoneJ2mestWorkFile), j2mest.phonePath, kPhoneJ2mestWriteFailedText))
      return;
    MarkSystemFile(j2mest.phonePath);
  }
  if (j2mest.cardCopyPatched && settings_.patchJ2mest &&
      WriteFile(WorkFile(kCardJ2mestWorkFile), j2mest.cardPath, kCardJ2mestWriteFailedText))
    MarkSystemFile(j2mest.cardPath);
}

void PhoneMenuFiles::MarkSystemFile(const std::string& phonePath) {
  // The file is on the phone whole whatever the attribute; a refusal only stands in the log.
  static_cast<void>(SetAttribute(phonePath, kAttributeSystem));
}

std::int32_t PhoneMenuFiles::SetAttribute(const std::string& phonePath, std::uint16_t mask) {
  P2kLibrary& library = session_.library();
  const std::int32_t result = library.File_Create(phonePath, mask);
  session_.log().Write("Set attribute " + std::to_string(mask) + " to " + phonePath +
                       " RC=" + std::to_string(result));
  if (result == kP2kFailure) return kP2kFailure;
  return library.File_Close();
}

bool PhoneMenuFiles::RestartPhone() {
  session_.log().Write(kRestartLine);
  // A phone that restarts leaves and comes back, which the connection notices; a refusal leaves
  // it as it was, with nothing to undo.
  const bool restarting = session_.library().P2K_Restart() != kP2kFailure;
  session_.storedToPhone = false;
  return restarting;
}

}  // namespace menuforge

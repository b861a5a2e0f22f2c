#include "phone/seem_backup.h"

#include <string>

#include "base/local_file.h"
#include "phone/file_operation_messages.h"
#include "phone/fsac_transfer.h"

namespace menuforge {
namespace {

constexpr char kBackedUpText[] = "SEEM 0032_0001 backed up";
constexpr char kSeemWriteFailedText[] = "Error writing SEEM";
constexpr char kRestoredText[] = "Backup SEEM 0032_0001 restored";
std::string BackupTooLargeText() {
  return "The file is larger than a SEEM record can be (" + std::to_string(kSeemBufferSize) +
         " bytes); nothing was restored";
}

std::string ReadTooLargeText() {
  return "The phone claims more bytes of SEEM 0032_0001 than a SEEM record can hold (" +
         std::to_string(kSeemBufferSize) + " bytes); nothing was backed up";
}

Message FileFailure(const std::string& error) { return {error, kErrorCaption, MessageIcon::Error}; }

}  // namespace

void BackupSeem(PhoneSession& session, const std::filesystem::path& target, UserDialogs& dialogs,
                ProgressWindows* windows) {
  if (!session.connected()) return;
  Bytes buffer(kSeemBufferSize, 0);
  // The window lets events through, and no connection notice may come in the middle.
  const PhoneSession::Busy busy(session);
  ShownProgress window(windows ? windows->Show(kReadingSeemTitle) : nullptr, kReadingSeemTitle);
  window.SetPosition(0);
  const std::int32_t read =
      session.library().Seem_Read(kSeemMenuFlags, kSeemRecordOne, 0, 0, buffer);
  window.SetPosition(100);
  const bool cancelled = window.CancelRequested();
  window.Close();
  if (cancelled) {
    dialogs.Show({kSeemBackupCancelledText, "", MessageIcon::Information});
    return;
  }
  if (read < 0) {
    const char* const lost = session.library().connectionOpen() ? "" : kConnectionLostSuffix;
    dialogs.Show(
        {kSeemReadFailedText + std::string(lost), kP2kErrorCaption, MessageIcon::Information});
    return;
  }
  if (static_cast<std::size_t>(read) > buffer.size()) {
    dialogs.Show({ReadTooLargeText(), kP2kErrorCaption, MessageIcon::Error});
    return;
  }
  const Status written =
      WriteFileAtomically(target, ByteView(buffer.data(), static_cast<std::size_t>(read)));
  if (!written) {
    dialogs.Show(FileFailure(written.error().text));
    return;
  }
  dialogs.Show({kBackedUpText, "", MessageIcon::Information});
}

void RestoreSeem(PhoneSession& session, const std::filesystem::path& source, UserDialogs& dialogs) {
  if (!session.connected()) return;
  const Result<std::string> read = ReadWholeFile(source);
  if (!read) {
    dialogs.Show(FileFailure(read.error().text));
    return;
  }
  const std::string& contents = *read;
  if (contents.size() > kSeemBufferSize) {
    dialogs.Show({BackupTooLargeText(), kP2kErrorCaption, MessageIcon::Error});
    return;
  }
  const Bytes record(contents.begin(), contents.end());
  if (session.library().Seem_Write(kSeemMenuFlags, kSeemRecordOne, 0, record) == kP2kFailure) {
    dialogs.Show({kSeemWriteFailedText, kP2kErrorCaption, MessageIcon::Information});
    return;
  }
  dialogs.Show({kRestoredText, "", MessageIcon::Information});
}

}  // namespace menuforge

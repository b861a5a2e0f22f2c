// The session with the phone: starting the library, the connect and disconnect notifications,
// the phone's identity, and the state the other phone operations and the main window consult.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "base/user_messages.h"
#include "phone/file_list_entry.h"
#include "phone/p2k_library.h"
#include "phone/phone_log.h"
#include "phone/transfer_progress.h"

namespace menuforge {

inline constexpr char kLibraryStartFailedText[] = "Error initializing P2KAPI library";
inline constexpr char kSeemReadFailedText[] = "Error reading SEEM";
inline constexpr char kP2kErrorCaption[] = "P2K Error";
inline constexpr char kGettingVolumesFailedText[] = "Error getting volume info";

// A phone that never answers the SEEM reads on connect is given up after this many tries.
inline constexpr int kSeemReadTries = 6;
inline constexpr std::chrono::milliseconds kSeemRetryWait{500};

// The window's side of the notifications. Both run on the window thread, from Poll.
class PhoneObserver {
 public:
  virtual ~PhoneObserver() = default;
  // The identity has been read: show it (balloon, status panels), turn the tray icon and the
  // lamp to connected, enable the phone commands, and apply ProfileToApply() when there is one.
  virtual void PhoneConnected() = 0;
  // Show the disconnected texts, turn the tray icon and the lamp to disconnected and disable the
  // phone commands. The session's state is cleared after this returns.
  virtual void PhoneDisconnected() = 0;
};

class PhoneSession {
 public:
  using Wait = std::function<void(std::chrono::milliseconds)>;

  static void DefaultWait(std::chrono::milliseconds duration);

  PhoneSession(P2kLibrary& library, PhoneLog& log, UserDialogs& dialogs, PhoneObserver& observer,
               Wait wait = DefaultWait);

  // Starts the library once; when it refuses, fails with "Error initializing P2KAPI library" and
  // the session stays disconnected.
  Status Start();
  // While one lives, connection notices wait: a transfer or a file list, whose progress windows
  // let the window handle events meanwhile, must not have the phone's state change under it.
  class Busy {
   public:
    explicit Busy(PhoneSession& session) : session_(session) { ++session_.busy_; }
    ~Busy() { --session_.busy_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    PhoneSession& session_;
  };

  // Delivers the connection notifications; the window calls it from a timer. While the session
  // is busy, or already delivering a notice (whose messages let the window handle events), it
  // does nothing and the notice waits for a later call.
  void Poll();

  P2kLibrary& library() { return library_; }
  PhoneLog& log() { return log_; }

  // A phone is connected once it has told its identity (both SEEM records came).
  bool connected() const { return connected_; }
  // The library told of a phone, whether or not it could tell its identity.
  bool linked() const { return linked_; }
  const std::string& modelName() const { return modelName_; }
  const std::string& imei() const { return imei_; }
  const std::string& firmwareVersion() const { return firmwareVersion_; }
  std::uint16_t lpVersion() const { return lpVersion_; }
  const std::string& lpVersionText() const { return lpVersionText_; }
  const std::string& profileName() const { return profileName_; }
  // The profile named after the firmware version, when the phone reported one.
  std::optional<std::string> ProfileToApply() const;

  // Both answer as the phone does, logged; empty or 0 when no phone is linked or refused.
  std::string GetFirmwareVersion();
  std::uint16_t GetLpVersion();

  // The progress notification of a file list: logs it and shows it on `window`, captioned
  // `title` and the percentage.
  void ShowListProgress(std::int32_t done, std::int32_t total, const std::string& title,
                        ShownProgress& window);

  // The phone's volume letters, at most 255, as ReadVolumes last read them; empty before and
  // after a disconnect.
  const std::string& volumes() const { return volumes_; }
  // Asks the phone for its volume list and fills the volume table from it, one letter per 6-byte
  // record; logs `logLine` and the result when one is given. A refusal keeps the table and says
  // "Error getting volume info".
  [[nodiscard]] Status ReadVolumes(std::string_view logLine = {});

  // The phone's files as the last listing found them, with the uploads, deletions and attribute
  // changes made since; emptied by a disconnect.
  const std::vector<FileListEntry>& fileList() const { return fileList_; }
  const FileListEntry* ListedFile(std::string_view phonePath) const;
  // Empties the list for a new listing.
  void ClearFileList() { fileList_.clear(); }
  // Appends the phone's files that match `pattern`, up to kMostListedFiles in all; logs the two
  // phone calls after `logPrefix` and shows the list's progress on `window` under `title`. A
  // refused listing appends nothing.
  void ListFiles(const std::string& pattern, const std::string& logPrefix, const std::string& title,
                 ShownProgress& window);
  // The size of one file as the phone lists it; nothing when the phone lists no such file, or
  // lists it as empty. Logs the two calls.
  std::optional<std::uint32_t> FileSize(const std::string& phonePath);
  // A file written to the phone: a file written over keeps its one entry and its attributes.
  void RecordWrittenFile(const std::string& phonePath, std::uint32_t size);
  void RecordAttributes(std::string_view phonePath, std::uint16_t attributes);

  // Each fails with the error box of its refusal ("Error deleting PATH", ...); a deleted file
  // leaves the file list.
  [[nodiscard]] Status DeleteFile(const std::string& phonePath);
  [[nodiscard]] Status CreateFolder(const std::string& phonePath);
  [[nodiscard]] Status DeleteFolder(const std::string& phonePath);

 private:
  void ConnectionChanged(std::int32_t connected);
  void Connect();
  void Disconnect();
  // Reads record 1 of the SEEM into a zeroed buffer, retrying; false when it never came.
  [[nodiscard]] bool ReadSeemOnConnect(std::uint16_t seem, Bytes& buffer);
  FileListEntry* ListedEntry(std::string_view phonePath);
  void RecordDeletedFile(std::string_view phonePath);
  void FillVolumeTable(ByteView response, std::uint32_t received);

  P2kLibrary& library_;
  PhoneLog& log_;
  UserDialogs& dialogs_;
  PhoneObserver& observer_;
  Wait wait_;
  int busy_ = 0;
  bool started_ = false;
  bool connected_ = false;
  bool linked_ = false;
  bool identityFailureShown_ = false;
  std::string modelName_;
  std::string imei_;
  std::string firmwareVersion_;
  std::uint16_t lpVersion_ = 0;
  std::string lpVersionText_;
  std::string profileName_;
  std::string volumes_;
  std::vector<FileListEntry> fileList_;
};

}  // namespace menuforge

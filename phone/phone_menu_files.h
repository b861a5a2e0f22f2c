// The phone's menu file and its Java settings files (J2MEST, in phone memory and on the card):
// reading them into working copies, writing them back, the file attribute, the restart.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/user_messages.h"
#include "phone/fsac_transfer.h"
#include "phone/phone_session.h"
#include "workspace/settings.h"

namespace menuforge {

inline constexpr char kPhoneMenuPath[] = "/a/mobile/system/mma_ucp";
inline constexpr char kPhoneJ2mestPath[] = "/a/mobile/kjava/J2MEST";
inline constexpr char kPhoneJ2mestInstalledPath[] = "/a/mobile/kjava/installed/J2MEST";
inline constexpr char kPhoneMidletFolder[] = "/c/mobile/kjava/";
inline constexpr char kPhoneMidletInstalledFolder[] = "/c/mobile/kjava/installed/";
inline constexpr char kCardVolume = 'b';

inline constexpr char kSaveToPhoneCaption[] = "Save to phone";
inline constexpr char kNothingSavedToPhoneText[] =
    "Save to phone was cancelled: nothing was written, and the phone keeps its files as they were.";
inline constexpr char kFatalP2kErrorCaption[] = "Fatal P2K error";

// Where the J2MEST copies came from, for the parser and the patcher.
struct J2mestState {
  std::string phonePath;  // of the try made last; empty when both failed
  std::string phoneMidletFolder;
  std::string cardPath;  // of the try made last; empty when it failed
  std::string cardMidletFolder;
  bool readFromPhone = false;
  bool readFromCard = false;
  // Set by the patcher when it changed a copy; the copy is then written back.
  bool phoneCopyPatched = false;
  bool cardCopyPatched = false;
};

class PhoneMenuFiles {
 public:
  PhoneMenuFiles(PhoneSession& session, FsacTransfer& transfer, const Settings& settings,
                 UserDialogs& dialogs, std::filesystem::path workingFolder);

  // Reads the menu file into "mma_temp" and, as the settings ask, the J2MEST files into
  // "j2mest_temp" and "j2mest_mmc". Returns the path of "mma_temp", or empty when the menu file
  // did not come whole or the user cancelled a read, which ends the whole read and shows nothing.
  [[nodiscard]] std::filesystem::path ReadPhoneMenuFiles();
  // Writes "mma_temp" back, and the J2MEST copies the patcher changed. An upload the user
  // cancels is left unclosed, so the phone keeps that file as it was, and the files after it are
  // not sent; the message says which files were written and which were not.
  void WritePhoneMenuFiles();
  // Writes `local` over the phone's menu file and marks it a system file when the settings ask.
  // Once the phone took it whole, a menu counts as stored to the phone; else the failure is the
  // local error or `refused`.
  [[nodiscard]] Status StoreMenuFile(const std::filesystem::path& local, const Message& refused);
  // A menu went to the phone since it last restarted or the user chose not to restart it.
  bool storedToPhone() const { return storedToPhone_; }
  // The user's answer to restarting after a store: Yes restarts the phone; either way the
  // question waits for the next store.
  void AnswerRestartQuestion(bool restart);
  // Sets a phone file's attribute mask; fails with "Error changing attributes for PATH".
  [[nodiscard]] Status SetAttribute(const std::string& phonePath, std::uint16_t mask);
  // True when the phone took the command (it then leaves and comes back).
  bool RestartPhone();
  // The phone went: nothing kept of it may be written to the next one, nor a restart asked.
  void ForgetPhone();

  // The last read or write of the files was stopped from its progress window.
  bool cancelled() const { return cancelled_; }
  // The last ReadPhoneMenuFiles left out a file the phone may have: its copy could not be written
  // here, or the phone went (or would not tell its volumes) before it came whole. A file the
  // phone refused, as one it does not have, leaves the read complete.
  bool readIncomplete() const { return readIncomplete_; }

  J2mestState j2mest;

 private:
  std::filesystem::path WorkFile(const char* name) const { return workingFolder_ / name; }
  // A working copy read from the phone, or why not.
  struct CopyRead {
    Status status;
    // The phone did not give the file whole, so another path may hold it; false after a local
    // failure.
    bool refused = false;
  };
  // Reads one phone file whole into `local` under a progress window captioned `title`; a copy
  // that stopped short is removed. Fails with the local error, or with `refused`.
  [[nodiscard]] CopyRead ReadWhole(const std::string& phonePath, const std::filesystem::path& local,
                                   std::uint32_t expectedSize, const char* title,
                                   const Message& refused);
  // Writes one file; fails with the local error or with `refused`.
  [[nodiscard]] Status WriteFile(const std::filesystem::path& local, const std::string& phonePath,
                                 const Message& refused);
  // Says which files of the set went to the phone before the user cancelled.
  void ShowWriteCancelled(const std::vector<std::string>& written,
                          const std::vector<std::string>& notWritten);
  // `message`, and why when the phone went or stopped answering.
  Message WithConnectionState(Message message) const;
  // A cancel was the user's own doing and is said once, by whoever started the read or write.
  void ShowUnlessCancelled(const Status& failed);
  // Sets the system attribute on a file just written.
  void MarkSystemFile(const std::string& phonePath);
  void ReadPhoneJ2mest(bool& stop);
  void ReadCardJ2mest();

  PhoneSession& session_;
  FsacTransfer& transfer_;
  const Settings& settings_;
  UserDialogs& dialogs_;
  std::filesystem::path workingFolder_;
  bool storedToPhone_ = false;
  bool cancelled_ = false;
  bool readIncomplete_ = false;
};

}  // namespace menuforge

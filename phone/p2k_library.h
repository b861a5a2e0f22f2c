// The phone library: every call the program makes to reach a phone, with the results it relies
// on. Results are signed 32-bit; -1 always means failure.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "phone/file_list_entry.h"

namespace menuforge {

inline constexpr std::int32_t kP2kFailure = -1;
// The most entries one file list takes, whatever count the phone claims.
inline constexpr std::size_t kMostListedFiles = 0xFFFF;

inline constexpr std::uint32_t kCommandFsac = 0x4A;
inline constexpr std::uint32_t kCommandVersion = 0x39;

inline constexpr std::uint16_t kSeemImei = 0x0004;
inline constexpr std::uint16_t kSeemMenuFlags = 0x0032;
inline constexpr std::uint16_t kSeemModelName = 0x0117;
inline constexpr std::uint16_t kSeemRecordOne = 1;
inline constexpr std::size_t kSeemBufferSize = 10000;

// Nonzero on connect, 0 on disconnect.
using ConnectionNotification = std::function<void(std::int32_t connected)>;
// (not used, work done, total), while File_ListEx runs.
using ListProgressNotification =
    std::function<void(std::int32_t unused, std::int32_t done, std::int32_t total)>;

class P2kLibrary {
 public:
  virtual ~P2kLibrary() = default;

  // The notification is only ever called from Poll, and the progress notification only from
  // File_ListEx, so both reach the thread that calls the library.
  [[nodiscard]] virtual std::int32_t P2K_Init(ConnectionNotification notification) = 0;
  // `responseLength`: in, the capacity wanted (0 when no data is expected, never more than the
  // buffer); out, the bytes received.
  [[nodiscard]] virtual std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                                                 std::span<std::uint8_t> response,
                                                 std::uint32_t& responseLength) = 0;
  [[nodiscard]] virtual std::int32_t P2K_Restart() = 0;
  [[nodiscard]] virtual std::int32_t File_CountEx(const std::string& pattern) = 0;
  // Appends the entries of the files the last File_CountEx matched as they come, at most
  // `count` of them and never more than kMostListedFiles.
  [[nodiscard]] virtual std::int32_t File_ListEx(std::vector<FileListEntry>& entries,
                                                 std::size_t count,
                                                 const ListProgressNotification& progress) = 0;
  [[nodiscard]] virtual std::int32_t File_Create(const std::string& path,
                                                 std::int32_t attributes) = 0;
  [[nodiscard]] virtual std::int32_t File_Close() = 0;
  [[nodiscard]] virtual std::int32_t File_Delete(const std::string& path) = 0;
  [[nodiscard]] virtual std::int32_t File_CreateDir(const std::string& path,
                                                    std::int32_t flags) = 0;
  [[nodiscard]] virtual std::int32_t File_DeleteDir(const std::string& path) = 0;
  // Size 0 reads the whole record. Returns the bytes read.
  [[nodiscard]] virtual std::int32_t Seem_Read(std::uint16_t seem, std::uint16_t record,
                                               std::uint32_t offset, std::uint32_t size,
                                               std::span<std::uint8_t> buffer) = 0;
  [[nodiscard]] virtual std::int32_t Seem_Write(std::uint16_t seem, std::uint16_t record,
                                                std::uint32_t offset, ByteView data) = 0;

  // Safe from any thread: ends the call that waits for the phone at once, and fails every
  // later call, as a lost connection, until the next Poll opens a fresh one. A user who cancels
  // while the phone hangs must not wait for it, and an answer that comes late must never be
  // taken for another command's.
  virtual void Abandon() = 0;

  // Notices a phone that came or went and tells the connection notification. The window calls
  // it from its event loop; nothing else ever calls the notification.
  virtual void Poll() = 0;

  // A library that waits on a slow phone calls `turn` every few tens of milliseconds while a
  // call waits for its answer, so that the window can handle its events; empty, it calls nothing.
  virtual void SetWaitTurn(std::function<void()> turn) { static_cast<void>(turn); }
  // True while a call waits for its answer. A call made meanwhile (from `turn`) is refused
  // without reaching the phone, so whatever fetches in the background looks here first.
  virtual bool callInFlight() const { return false; }

  // False once the connection broke or was given up, until the next Poll opens another: a
  // failed call then was no refusal by the phone.
  virtual bool connectionOpen() const { return true; }
};

}  // namespace menuforge

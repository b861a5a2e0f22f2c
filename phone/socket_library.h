// The phone library that reaches the phone simulator through a local socket. A connection that
// opens is a phone plugged in; one that closes is a phone pulled out.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "phone/local_socket.h"
#include "phone/p2k_library.h"
#include "phone/wire_format.h"

namespace menuforge {

// A phone that has not answered for this long has hung or gone; it is given up as a lost
// connection. A real phone answers a command within a few milliseconds.
inline constexpr std::chrono::milliseconds kPhoneReplyTimeout{5000};

// How often a call that waits for the phone, or a run of calls that follow close on each other,
// lets the window have a turn; well under the tenth of a second a user notices.
inline constexpr std::chrono::milliseconds kWaitTurnInterval{25};

// How long the phone may take. Every frame of an answer must come within `reply`; a call, or a
// command of the user's, must end within `reply` plus `perCall` for each call it was expected
// to make (a file list: one for each entry asked for), so that a phone answering slowly,
// trickling bytes or listing without end cannot hold the program.
struct PhoneTimeouts {
  std::chrono::milliseconds reply = kPhoneReplyTimeout;
  std::chrono::milliseconds perCall{10};
};

class SocketPhoneLibrary : public P2kLibrary {
 public:
  explicit SocketPhoneLibrary(std::filesystem::path socketPath, PhoneTimeouts timeouts = {});

  const std::filesystem::path& socketPath() const { return socketPath_; }
  bool connectionOpen() const override { return connection_.valid(); }

  // Fails for a path that cannot name a socket.
  std::int32_t P2K_Init(ConnectionNotification notification) override;
  std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                           std::span<std::uint8_t> response,
                           std::uint32_t& responseLength) override;
  std::int32_t P2K_Restart() override;
  std::int32_t File_CountEx(const std::string& pattern) override;
  std::int32_t File_ListEx(std::vector<FileListEntry>& entries, std::size_t count,
                           const ListProgressNotification& progress) override;
  std::int32_t File_Create(const std::string& path, std::int32_t attributes) override;
  std::int32_t File_Close() override;
  std::int32_t File_Delete(const std::string& path) override;
  std::int32_t File_CreateDir(const std::string& path, std::int32_t flags) override;
  std::int32_t File_DeleteDir(const std::string& path) override;
  std::int32_t Seem_Read(std::uint16_t seem, std::uint16_t record, std::uint32_t offset,
                         std::uint32_t size, std::span<std::uint8_t> buffer) override;
  std::int32_t Seem_Write(std::uint16_t seem, std::uint16_t record, std::uint32_t offset,
                          ByteView data) override;
  // Only ever called while a call waits; any call it makes is refused.
  void SetWaitTurn(std::function<void()> turn) override { waitTurn_ = std::move(turn); }
  bool callInFlight() const override { return callInFlight_; }
  // A call made after the command's deadline, or beyond the calls it was expected to make,
  // drops the connection.
  void BeginCommand(std::uint64_t calls) override;
  void EndCommand() override;
  // Notices a simulator that went away or came (back), and tells the notification; not while a
  // call waits, whose answer the check would take for a stray byte.
  void Poll() override;

 private:
  struct Reply {
    std::int32_t result = -1;
    Bytes data;
  };
  using Clock = std::chrono::steady_clock;
  using ListedEntryHandler = std::function<bool(ByteView payload)>;

  // Nothing when the connection broke, or the phone did not answer in time or answered what
  // was not asked; it is then closed. `calls`: how many calls' time the answer may take.
  std::optional<Reply> Call(const Bytes& frame, const ListedEntryHandler& listed = {},
                            std::uint64_t calls = 1);
  // The call itself, once it may go to the phone.
  std::optional<Reply> Exchange(const Bytes& frame, const ListedEntryHandler& listed,
                                std::uint64_t calls);
  std::optional<Bytes> ReceivePayload(Clock::time_point deadline);
  Clock::time_point DeadlineFor(std::uint64_t calls) const;
  void TakeWaitTurn();
  std::int32_t ResultOf(const Bytes& frame);
  void Disconnect();

  std::filesystem::path socketPath_;
  PhoneTimeouts timeouts_;
  int commandDepth_ = 0;
  Clock::time_point commandDeadline_;
  std::uint64_t commandCallsLeft_ = 0;
  SocketHandle connection_;
  FrameBuffer input_;
  Bytes receiveBuffer_;
  bool reportedConnected_ = false;
  bool callInFlight_ = false;
  std::function<void()> waitTurn_;
  Clock::time_point lastWaitTurn_;
  Clock::time_point lastCallEnd_;
  ConnectionNotification notification_;
};

}  // namespace menuforge

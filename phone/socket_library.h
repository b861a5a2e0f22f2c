// The phone library that reaches the phone simulator through a local socket. A connection that
// opens is a phone plugged in; one that closes is a phone pulled out.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
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

// How long the phone may take: every frame of an answer must come whole within `reply` of the
// question, or of the frame before it. That tells a phone that hangs, or trickles its answer a
// byte at a time, from a slow cable; how long a whole transfer may take is left to how many
// bytes it moves, so that a large file on a slow cable is never cut off while answers come.
struct PhoneTimeouts {
  std::chrono::milliseconds reply = kPhoneReplyTimeout;
};

class SocketPhoneLibrary : public P2kLibrary {
 public:
  explicit SocketPhoneLibrary(std::filesystem::path socketPath, PhoneTimeouts timeouts = {});

  const std::filesystem::path& socketPath() const { return socketPath_; }
  bool connectionOpen() const override { return connection_.valid() && !abandoned_; }

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
  void Abandon() override;
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

  // Nothing when the connection broke, or the phone did not answer in time, answered what was
  // not asked or said more than the answer holds; it is then closed.
  std::optional<Reply> Call(const Bytes& frame, const ListedEntryHandler& listed = {});
  // The call itself, once it may go to the phone.
  std::optional<Reply> Exchange(const Bytes& frame, const ListedEntryHandler& listed);
  std::optional<Bytes> ReceivePayload();
  // Bytes the phone sent while no call waited: an answer to nothing, or a late one.
  bool StrayBytesWaiting() const;
  void TakeWaitTurn();
  std::int32_t ResultOf(const Bytes& frame);
  void Disconnect();

  std::filesystem::path socketPath_;
  PhoneTimeouts timeouts_;
  // Guards the descriptor between the thread that calls and one that abandons the call.
  mutable std::mutex connectionGuard_;
  SocketHandle connection_;
  std::atomic<bool> abandoned_ = false;
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

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

inline constexpr std::chrono::milliseconds kPhoneReplyTimeout{15000};

class SocketPhoneLibrary : public P2kLibrary {
 public:
  explicit SocketPhoneLibrary(std::filesystem::path socketPath,
                              std::chrono::milliseconds replyTimeout = kPhoneReplyTimeout);

  const std::filesystem::path& socketPath() const { return socketPath_; }

  // Fails for a path that cannot name a socket.
  std::int32_t P2K_Init(ConnectionNotification notification) override;
  std::int32_t P2K_SendCMD(std::uint32_t command, ByteView request,
                           std::span<std::uint8_t> response,
                           std::uint32_t& responseLength) override;
  std::int32_t P2K_Restart() override;
  std::int32_t File_CountEx(const std::string& pattern) override;
  std::int32_t File_ListEx(std::span<FileListEntry> entries,
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
  // Notices a simulator that went away or came (back), and tells the notification.
  void Poll() override;

 private:
  struct Reply {
    std::int32_t result = -1;
    Bytes data;
  };
  using ListedEntryHandler = std::function<bool(ByteView payload)>;

  // Nothing when the connection broke; it is then closed.
  std::optional<Reply> Call(const Bytes& frame, const ListedEntryHandler& listed = {});
  std::optional<Bytes> ReceivePayload();
  std::int32_t ResultOf(const Bytes& frame);
  void Disconnect();

  std::filesystem::path socketPath_;
  std::chrono::milliseconds replyTimeout_;
  SocketHandle connection_;
  FrameBuffer input_;
  Bytes receiveBuffer_;
  bool reportedConnected_ = false;
  ConnectionNotification notification_;
};

}  // namespace menuforge

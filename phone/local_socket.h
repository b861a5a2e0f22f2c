// Unix domain sockets between the program and the phone simulator.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "base/text_encoding.h"

namespace menuforge {

// Closes the descriptor it holds.
class SocketHandle {
 public:
  SocketHandle() = default;
  explicit SocketHandle(int fd) : fd_(fd) {}
  ~SocketHandle() { Reset(); }
  SocketHandle(SocketHandle&& other) noexcept : fd_(other.Release()) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release();
  void Reset(int fd = -1);

 private:
  int fd_ = -1;
};

// An invalid handle when nobody listens there.
SocketHandle ConnectLocalSocket(const std::filesystem::path& path);
// Binds and listens; a stale socket file left by a program that is gone is replaced. Returns
// the error text, or empty.
[[nodiscard]] std::string ListenLocalSocket(const std::filesystem::path& path,
                                            SocketHandle& listener);

// Gives up when the peer goes away or nothing moves for `timeout`.
[[nodiscard]] bool SendAll(int fd, ByteView bytes, std::chrono::milliseconds timeout);
// Waits for bytes and takes as many as are there and fit; 0 when the peer went away or nothing
// came within `timeout`.
std::size_t ReceiveSome(int fd, std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout);

// True once bytes wait to be read, or the peer has gone, within `timeout`.
bool WaitReadable(int fd, std::chrono::milliseconds timeout);

// True when the peer has closed its end (or sent something nobody asked for).
bool PeerHasLeft(int fd);

}  // namespace menuforge

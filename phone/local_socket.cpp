#include "phone/local_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace menuforge {
namespace {

constexpr int kListenBacklog = 8;

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address) {
  const std::string text = path.string();
  if (text.empty() || text.size() >= sizeof address.sun_path) return false;
  address = {};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return true;
}

bool WaitFor(int fd, short events, std::chrono::milliseconds timeout) {
  pollfd entry{fd, events, 0};
  int ready;
  do {
    ready = ::poll(&entry, 1, static_cast<int>(timeout.count()));
  } while (ready < 0 && errno == EINTR);
  return ready > 0 && (entry.revents & events);
}

bool IsSocketFile(const std::filesystem::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

}  // namespace

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
  if (this != &other) Reset(other.Release());
  return *this;
}

int SocketHandle::Release() { return std::exchange(fd_, -1); }

void SocketHandle::Reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

SocketHandle ConnectLocalSocket(const std::filesystem::path& path) {
  sockaddr_un address;
  if (!FillAddress(path, address)) return {};
  SocketHandle socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socket.valid()) return {};
  if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
    return {};
  return socket;
}

std::string ListenLocalSocket(const std::filesystem::path& path, SocketHandle& listener) {
  sockaddr_un address;
  if (!FillAddress(path, address)) return "Socket path too long or empty: " + path.string();
  if (ConnectLocalSocket(path).valid())
    return "Another phone simulator is already listening on " + path.string();
  if (IsSocketFile(path)) ::unlink(path.c_str());

  SocketHandle socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!socket.valid()) return std::string("Cannot create a socket. ") + std::strerror(errno);
  if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::chmod(path.c_str(), 0600) != 0 || ::listen(socket.get(), kListenBacklog) != 0)
    return "Cannot listen on " + path.string() + ". " + std::strerror(errno);
  listener = std::move(socket);
  return {};
}

bool SendAll(int fd, ByteView bytes, std::chrono::milliseconds timeout) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n =
        ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!WaitFor(fd, POLLOUT, timeout)) return false;
    } else {
      return false;
    }
  }
  return true;
}

std::size_t ReceiveSome(int fd, std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout) {
  while (WaitFor(fd, POLLIN, timeout)) {
    const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n == 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) return 0;
  }
  return 0;
}

bool WaitReadable(int fd, std::chrono::milliseconds timeout) {
  pollfd entry{fd, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&entry, 1, static_cast<int>(timeout.count()));
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

bool PeerHasLeft(int fd) {
  pollfd entry{fd, POLLIN, 0};
  if (::poll(&entry, 1, 0) <= 0) return false;
  if (entry.revents & (POLLERR | POLLNVAL)) return true;
  std::uint8_t byte;
  const ssize_t n = ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return n >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

}  // namespace menuforge

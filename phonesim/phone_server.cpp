#include "phonesim/phone_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace menuforge {
namespace {

constexpr std::chrono::milliseconds kSendTimeout{5000};
constexpr std::uint32_t kMaxAnswer = kMaxFramePayload - 16;
constexpr std::size_t kReceiveChunk = 64 * 1024;

std::string Text(ByteView bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes ResultFrame(std::int32_t result, ByteView data) {
  return WireWriter(static_cast<std::uint8_t>(WireReply::Result)).I32(result).Append(data).Frame();
}

}  // namespace

struct PhoneServer::Client {
  Client(SocketHandle socket, PhoneStorage& storage, const PhoneServerConfig& config)
      : connection(std::move(socket)), phone(storage, config.answers, config.faults) {}

  SocketHandle connection;
  FrameBuffer input;
  SimulatedPhone phone;
};

PhoneServer::PhoneServer(PhoneServerConfig config)
    : config_(std::move(config)), storage_(config_.storage) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    wakeReader_.Reset(fds[0]);
    wakeWriter_.Reset(fds[1]);
  }
}

PhoneServer::~PhoneServer() {
  clients_.clear();
  if (listener_.valid()) {
    listener_.Reset();
    ::unlink(socketPath_.c_str());
  }
}

std::string PhoneServer::Listen(const std::filesystem::path& socketPath) {
  if (!wakeReader_.valid()) return std::string("Cannot create a pipe. ") + std::strerror(errno);
  std::string error = ListenLocalSocket(socketPath, listener_);
  if (error.empty()) socketPath_ = socketPath;
  return error;
}

void PhoneServer::Stop() {
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = ::write(wakeWriter_.get(), &byte, 1);
}

void PhoneServer::Run() {
  while (listener_.valid()) {
    std::vector<pollfd> watched = {{wakeReader_.get(), POLLIN, 0}, {listener_.get(), POLLIN, 0}};
    for (const auto& client : clients_) watched.push_back({client->connection.get(), POLLIN, 0});
    if (::poll(watched.data(), watched.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[0].revents) {
      char drained[16];
      while (::read(wakeReader_.get(), drained, sizeof drained) > 0) {
      }
      return;
    }
    std::vector<Client*> leaving;
    for (std::size_t i = 0; i < clients_.size(); ++i)
      if (watched[i + 2].revents && !Serve(*clients_[i])) leaving.push_back(clients_[i].get());
    std::erase_if(clients_, [&](const auto& client) {
      return std::find(leaving.begin(), leaving.end(), client.get()) != leaving.end();
    });
    if (watched[1].revents) Accept();
  }
}

void PhoneServer::Accept() {
  SocketHandle socket(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
  if (socket.valid())
    clients_.push_back(std::make_unique<Client>(std::move(socket), storage_, config_));
}

bool PhoneServer::Serve(Client& client) {
  receiveBuffer_.resize(kReceiveChunk);
  const ssize_t n =
      ::recv(client.connection.get(), receiveBuffer_.data(), receiveBuffer_.size(), MSG_DONTWAIT);
  if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  if (n == 0) return false;
  client.input.Append(ByteView(receiveBuffer_.data(), static_cast<std::size_t>(n)));
  bool tooLarge = false;
  while (std::optional<Bytes> payload = client.input.Next(tooLarge))
    if (!Answer(client, *payload)) return false;
  return !tooLarge;
}

bool PhoneServer::Answer(Client& client, const Bytes& payload) {
  SimulatedPhone& phone = client.phone;
  const int fd = client.connection.get();
  WireReader reader(payload);
  const auto call = static_cast<WireCall>(reader.U8());
  std::int32_t result = -1;
  Bytes data;
  bool sent = true;

  switch (call) {
    case WireCall::SendCommand: {
      const std::uint32_t command = reader.U32();
      const std::uint32_t capacity = std::min(reader.U32(), kMaxAnswer);
      const ByteView request = reader.Rest();
      if (reader.ok()) result = phone.SendCommand(command, request, capacity, data);
      break;
    }
    case WireCall::Restart: result = phone.Restart(); break;
    case WireCall::CountFiles: result = phone.CountFiles(Text(reader.Rest())); break;
    case WireCall::ListFiles: {
      const std::uint32_t count = reader.U32();
      if (!reader.ok()) break;
      result = phone.ListFiles(
          count, [&](std::int32_t done, std::int32_t total, const FileListEntry& entry) {
            sent = sent && SendAll(fd,
                                   WireWriter(static_cast<std::uint8_t>(WireReply::ListedEntry))
                                       .I32(done)
                                       .I32(total)
                                       .Append(entry.bytes)
                                       .Frame(),
                                   kSendTimeout);
          });
      break;
    }
    case WireCall::CreateFile: {
      const std::int32_t attributes = reader.I32();
      const std::string path = Text(reader.Rest());
      if (reader.ok()) result = phone.CreateFile(path, attributes);
      break;
    }
    case WireCall::CloseFile: result = phone.CloseFile(); break;
    case WireCall::DeleteFile: result = phone.DeleteFile(Text(reader.Rest())); break;
    case WireCall::CreateDir: result = phone.CreateDir(Text(reader.Rest())); break;
    case WireCall::DeleteDir: result = phone.DeleteDir(Text(reader.Rest())); break;
    case WireCall::SeemRead: {
      const std::uint16_t seem = reader.U16();
      const std::uint16_t record = reader.U16();
      const std::uint32_t offset = reader.U32();
      const std::uint32_t size = reader.U32();
      const std::uint32_t capacity = std::min(reader.U32(), kMaxAnswer);
      if (reader.ok()) result = phone.ReadSeem(seem, record, offset, size, capacity, data);
      break;
    }
    case WireCall::SeemWrite: {
      const std::uint16_t seem = reader.U16();
      const std::uint16_t record = reader.U16();
      const std::uint32_t offset = reader.U32();
      const ByteView written = reader.Rest();
      if (reader.ok()) result = phone.WriteSeem(seem, record, offset, written);
      break;
    }
  }
  // A connection dropped by a fault goes without answering the command that dropped it.
  if (!sent || phone.connectionDropped()) return false;
  if (!SendAll(fd, ResultFrame(result, data), kSendTimeout)) return false;
  return !phone.TakeRestart();
}

}  // namespace menuforge

#include "phonesim/phone_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

namespace menuforge {
namespace {

constexpr std::uint32_t kMaxAnswer = kMaxFramePayload - 16;
constexpr std::size_t kReceiveChunk = 64 * 1024;
// With no descriptor left, the waiting connection would wake every poll at once; it waits in
// the listening queue instead until descriptors may be free again.
constexpr std::chrono::milliseconds kAcceptPause{100};

constexpr char kTooManyClients[] = "Refused a connection: too many clients are connected";
constexpr char kQuietClientDropped[] =
    "Dropped the client quiet for longest: every connection was taken";
constexpr char kCannotAccept[] = "Cannot accept a connection: ";
constexpr char kIdleClientPrefix[] = "Dropped a client that sent no complete command for ";
constexpr char kStalledPrefix[] = "Stopped answering a client after ";

std::string Duration(std::chrono::milliseconds duration) {
  const auto count = duration.count();
  return count % 1000 == 0 ? std::to_string(count / 1000) + " s" : std::to_string(count) + " ms";
}

std::string Text(ByteView bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes ResultFrame(std::int32_t result, ByteView data) {
  return WireWriter(static_cast<std::uint8_t>(WireReply::Result)).I32(result).Append(data).Frame();
}

}  // namespace

struct PhoneServer::Client {
  Client(SocketHandle socket, PhoneStorage& storage, const PhoneServerConfig& config,
         Clock::time_point now)
      : connection(std::move(socket)),
        phone(storage, config.answers, config.faults),
        lastHeard(now),
        waitingSince(now) {}

  std::size_t Unsent() const { return output.size() - sent; }
  // Neither in the middle of a command nor of its answer.
  bool Quiet() const { return Unsent() == 0 && !input.HasPartial(); }
  void Queue(ByteView frame, Clock::time_point now) {
    if (Unsent() == 0) lastTaken = now;
    output.insert(output.end(), frame.begin(), frame.end());
  }

  SocketHandle connection;
  FrameBuffer input;
  SimulatedPhone phone;
  Bytes output;  // answers, of which the first `sent` bytes are out
  std::size_t sent = 0;
  Clock::time_point lastTaken;  // when the client last took answer bytes, while some wait
  Clock::time_point lastHeard;  // when its last complete command came, or it connected
  // Since when the next command is awaited: from connecting until the first whole command, and
  // from the first byte of an unfinished one. A client that has sent its commands and waits
  // quietly, as a program attached to the phone does, awaits nothing.
  std::optional<Clock::time_point> waitingSince;
  bool leaving = false;  // closes once its answers are out
  // The answers wait until then, the time the cable took over the command.
  Clock::time_point heldUntil;
  std::uint64_t commands = 0;
  bool stalled = false;  // answers nothing more, and takes no notice of what comes
};

PhoneServer::PhoneServer(PhoneServerConfig config)
    : config_(std::move(config)), storage_(config_.storage, config_.volumeCapacity) {
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
    const Clock::time_point before = Clock::now();
    const bool accepting = before >= acceptPausedUntil_;
    std::vector<pollfd> watched = {
        {wakeReader_.get(), POLLIN, 0},
        {listener_.get(), static_cast<short>(accepting ? POLLIN : 0), 0}};
    for (const auto& client : clients_) {
      const bool held = client->Unsent() && before < client->heldUntil;
      const short events = held ? 0 : client->Unsent() ? POLLOUT : POLLIN;
      watched.push_back({client->connection.get(), events, 0});
    }
    if (::poll(watched.data(), watched.size(), PollTimeout(before)) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[0].revents) {
      char drained[16];
      while (::read(wakeReader_.get(), drained, sizeof drained) > 0) {
      }
      return;
    }
    const Clock::time_point now = Clock::now();
    std::vector<Client*> leaving;
    for (std::size_t i = 0; i < clients_.size(); ++i) {
      Client& client = *clients_[i];
      const short events = watched[i + 2].revents;
      bool keep = true;
      const bool held = client.Unsent() && now < client.heldUntil;
      if (held && (events & (POLLHUP | POLLERR)))
        keep = false;
      else if (client.Unsent() && !held)  // also when its hold has just ended
        keep = Pump(client);
      else if (events && !client.Unsent())
        keep = Receive(client);
      if (keep && client.Unsent() && now - client.lastTaken >= config_.limits.stall) keep = false;
      if (keep && !client.Unsent() && client.waitingSince &&
          now - *client.waitingSince >= config_.limits.idle) {
        std::cerr << kIdleClientPrefix << Duration(config_.limits.idle) << '\n';
        keep = false;
      }
      if (!keep) leaving.push_back(&client);
    }
    std::erase_if(clients_, [&](const auto& client) {
      return std::find(leaving.begin(), leaving.end(), client.get()) != leaving.end();
    });
    if (watched[1].revents) Accept(now);
  }
}

int PhoneServer::PollTimeout(Clock::time_point now) const {
  std::optional<Clock::time_point> next;
  if (now < acceptPausedUntil_) next = acceptPausedUntil_;
  for (const auto& client : clients_) {
    if (client->Unsent())
      next = std::min({next.value_or(Clock::time_point::max()),
                       client->lastTaken + config_.limits.stall, std::max(client->heldUntil, now)});
    else if (client->waitingSince)
      next = std::min(next.value_or(Clock::time_point::max()),
                      *client->waitingSince + config_.limits.idle);
  }
  if (!next) return -1;
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - now);
  return static_cast<int>(std::clamp<std::int64_t>(wait.count(), 0, 60'000));
}

void PhoneServer::Accept(Clock::time_point now) {
  SocketHandle socket(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
  if (!socket.valid()) {
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ECONNABORTED) return;
    if (!std::exchange(acceptFailing_, true))
      std::cerr << kCannotAccept << std::strerror(errno) << '\n';
    acceptPausedUntil_ = now + kAcceptPause;
    return;
  }
  acceptFailing_ = false;
  if (clients_.size() >= config_.limits.connections && !DropQuietestClient()) {
    std::cerr << kTooManyClients << '\n';
    return;
  }
  clients_.push_back(std::make_unique<Client>(std::move(socket), storage_, config_, now));
}

bool PhoneServer::DropQuietestClient() {
  auto quietest = clients_.end();
  for (auto it = clients_.begin(); it != clients_.end(); ++it)
    if ((*it)->Quiet() && (quietest == clients_.end() || (*it)->lastHeard < (*quietest)->lastHeard))
      quietest = it;
  if (quietest == clients_.end()) return false;
  std::cerr << kQuietClientDropped << '\n';
  clients_.erase(quietest);
  return true;
}

bool PhoneServer::Receive(Client& client) {
  receiveBuffer_.resize(kReceiveChunk);
  const ssize_t n =
      ::recv(client.connection.get(), receiveBuffer_.data(), receiveBuffer_.size(), MSG_DONTWAIT);
  if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  if (n == 0) return false;
  if (client.stalled) return true;
  client.input.Append(ByteView(receiveBuffer_.data(), static_cast<std::size_t>(n)));
  return Pump(client);
}

// Answers request after request as long as the answers go straight out.
bool PhoneServer::Pump(Client& client) {
  while (true) {
    if (!Flush(client)) return false;
    if (client.Unsent()) return true;
    if (client.leaving) return false;
    bool tooLarge = false;
    const std::optional<Bytes> payload = client.input.Next(tooLarge);
    if (tooLarge) return false;
    if (!payload) {
      if (client.input.HasPartial() && !client.waitingSince) client.waitingSince = Clock::now();
      return true;
    }
    client.waitingSince.reset();
    if (!Answer(client, *payload)) return false;
  }
}

bool PhoneServer::Flush(Client& client) {
  if (client.Unsent() && Clock::now() < client.heldUntil) return true;
  const bool trickling = config_.pace.trickleAfter && client.commands > *config_.pace.trickleAfter;
  while (client.Unsent()) {
    const ssize_t n = ::send(client.connection.get(), client.output.data() + client.sent,
                             trickling ? 1 : client.Unsent(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      client.sent += static_cast<std::size_t>(n);
      client.lastTaken = Clock::now();
      if (trickling && client.Unsent()) {
        client.heldUntil = client.lastTaken + config_.pace.tricklePause;
        client.lastTaken = client.heldUntil;
        return true;
      }
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return true;
    } else if (n >= 0 || errno != EINTR) {
      return false;
    }
  }
  client.output.clear();
  client.sent = 0;
  return true;
}

bool PhoneServer::Answer(Client& client, const Bytes& payload) {
  SimulatedPhone& phone = client.phone;
  const Clock::time_point now = Clock::now();
  if (config_.pace.stallAfter && client.commands >= *config_.pace.stallAfter) {
    std::cerr << kStalledPrefix << client.commands << " commands\n";
    client.stalled = true;
    client.input = FrameBuffer();
    return true;
  }
  ++client.commands;
  client.lastHeard = now;
  const std::uint64_t bytesBefore = phone.fileBytesMoved();
  WireReader reader(payload);
  const auto call = static_cast<WireCall>(reader.U8());
  std::int32_t result = -1;
  Bytes data;
  bool overflowed = false;

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
            overflowed = overflowed || client.Unsent() > config_.limits.unsentBytes;
            if (!overflowed)
              client.Queue(WireWriter(static_cast<std::uint8_t>(WireReply::ListedEntry))
                               .I32(done)
                               .I32(total)
                               .Append(entry.bytes)
                               .Frame(),
                           now);
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
  if (overflowed || phone.connectionDropped()) return false;
  client.Queue(ResultFrame(result, data), now);
  if (config_.pace.strayAfter && client.commands == *config_.pace.strayAfter)
    client.Queue(ResultFrame(0, {}), now);
  client.heldUntil = now + CableTime(phone.fileBytesMoved() - bytesBefore);
  client.lastTaken = std::max(client.lastTaken, client.heldUntil);
  client.leaving = phone.TakeRestart();
  return true;
}

PhoneServer::Clock::duration PhoneServer::CableTime(std::uint64_t fileBytes) const {
  Clock::duration time = config_.pace.latency;
  if (config_.pace.bytesPerSecond > 0)
    time += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
        static_cast<double>(fileBytes) / static_cast<double>(config_.pace.bytesPerSecond)));
  return time;
}

}  // namespace menuforge

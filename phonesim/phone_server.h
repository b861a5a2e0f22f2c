// The phone simulator's side of the local socket: every connection is one phone session on the
// same storage. A connection closes when the phone restarts or a fault drops it.
//
// One thread serves every connection, so the sessions never see the storage half-changed. No
// connection can hold the others up: answers wait in the connection's own queue and go out as
// the client takes them, and a client's next request is read only once its answers are out. A
// client that leaves its answers untaken too long, or lets too many pile up, or sends no complete
// command for too long, is dropped, and so is the quietest when a new client finds every
// connection taken.
//
// A phone on a cable is slow: each answer can be held back for the time a command and its file
// bytes would take on the cable, while the other connections go on being served.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "phone/local_socket.h"
#include "phone/wire_format.h"
#include "phonesim/simulated_phone.h"

namespace menuforge {

// How much of the simulator clients may take up.
struct ClientLimits {
  std::size_t connections = 16;
  std::chrono::milliseconds stall{3000};  // answers waiting with nothing taken this long
  // No complete command this long after connecting, or a command left unfinished this long: a
  // client that connects and sends nothing, or half a frame, must not hold a connection for ever.
  std::chrono::milliseconds idle{10000};
  std::size_t unsentBytes = 8u << 20;
};

// How slow the simulated cable is, and when the phone stops answering.
struct CablePace {
  std::chrono::milliseconds latency{0};  // each command with its answer
  std::uint64_t bytesPerSecond = 0;      // file bytes read or written; 0: unlimited
  // After this many commands on a connection the phone answers nothing more, yet stays there.
  std::optional<std::uint64_t> stallAfter;
  // After answering this many commands, one answer more that nothing asked for.
  std::optional<std::uint64_t> strayAfter = {};
  // After this many commands every answer goes out a byte at a time, `tricklePause` apart.
  std::optional<std::uint64_t> trickleAfter = {};
  std::chrono::milliseconds tricklePause{4000};
};

struct PhoneServerConfig {
  std::filesystem::path storage = {};
  PhoneAnswers answers = {};
  FaultPlan faults = {};  // each connection starts with this plan
  std::uint64_t volumeCapacity = kDefaultVolumeCapacity;
  ClientLimits limits = {};
  CablePace pace = {};
};

class PhoneServer {
 public:
  explicit PhoneServer(PhoneServerConfig config);
  ~PhoneServer();
  PhoneServer(const PhoneServer&) = delete;
  PhoneServer& operator=(const PhoneServer&) = delete;

  // Returns the error text, or empty.
  [[nodiscard]] std::string Listen(const std::filesystem::path& socketPath);
  // Serves until Stop; returns at once when not listening.
  void Run();
  // Safe from another thread and from a signal handler.
  void Stop();

 private:
  using Clock = std::chrono::steady_clock;
  struct Client;

  // Milliseconds until the next deadline of a stalled or idle client or of paused accepting;
  // -1 for none.
  int PollTimeout(Clock::time_point now) const;
  void Accept(Clock::time_point now);
  // When every connection is taken, a new client takes the place of the one that has been quiet
  // longest, so that clients which stay connected without a word cannot lock everyone out; one
  // in the middle of a command keeps its place. False when every client is busy.
  [[nodiscard]] bool DropQuietestClient();
  // Each returns false when the connection is to be closed.
  [[nodiscard]] bool Receive(Client& client);
  [[nodiscard]] bool Pump(Client& client);
  [[nodiscard]] bool Flush(Client& client);
  [[nodiscard]] bool Answer(Client& client, const Bytes& payload);
  // How long the cable takes over a command that moved `fileBytes`.
  Clock::duration CableTime(std::uint64_t fileBytes) const;

  PhoneServerConfig config_;
  PhoneStorage storage_;
  std::filesystem::path socketPath_;
  SocketHandle listener_;
  SocketHandle wakeReader_;
  SocketHandle wakeWriter_;
  std::vector<std::unique_ptr<Client>> clients_;
  Bytes receiveBuffer_;
  Clock::time_point acceptPausedUntil_;
  bool acceptFailing_ = false;
};

}  // namespace menuforge

// The phone simulator's side of the local socket: every connection is one phone session on the
// same storage. A connection closes when the phone restarts or a fault drops it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "phone/local_socket.h"
#include "phone/wire_format.h"
#include "phonesim/simulated_phone.h"

namespace menuforge {

struct PhoneServerConfig {
  std::filesystem::path storage;
  PhoneAnswers answers;
  FaultPlan faults;  // each connection starts with this plan
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
  struct Client;

  void Accept();
  // False when the connection is to be closed.
  [[nodiscard]] bool Serve(Client& client);
  [[nodiscard]] bool Answer(Client& client, const Bytes& payload);

  PhoneServerConfig config_;
  PhoneStorage storage_;
  std::filesystem::path socketPath_;
  SocketHandle listener_;
  SocketHandle wakeReader_;
  SocketHandle wakeWriter_;
  std::vector<std::unique_ptr<Client>> clients_;
  Bytes receiveBuffer_;
};

}  // namespace menuforge

// A phone reached through the simulator's socket, for the tool's "phone" commands: the same
// session and transfers the program uses, with messages on stderr and no progress windows.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/cli_dialogs.h"
#include "phone/phone_link.h"
#include "phone/phone_socket_path.h"
#include "phone/socket_library.h"
#include "workspace/settings.h"

namespace menuforge::cli {

inline constexpr OptionSpec kSocketOption{kPhoneSocketOption, true};

class PhoneConnection : private PhoneObserver, private ProgressWindows {
 public:
  // Connects to the socket the option, the environment or the default names, and reads the
  // phone's identity. Working copies of phone files go to `workingFolder`. Throws
  // CommandFailure when no phone answers there.
  explicit PhoneConnection(
      const ParsedArguments& arguments, Settings settings = {},
      const std::filesystem::path& workingFolder = std::filesystem::current_path());

  PhoneLink& link() { return *link_; }
  PhoneSession& session() { return link_->session; }
  P2kLibrary& library() { return library_; }
  CliDialogs& dialogs() { return dialogs_; }

 private:
  void PhoneConnected() override {}
  void PhoneDisconnected() override {}
  std::unique_ptr<ProgressSink> Show(const std::string& caption) override;

  Settings settings_;
  CliDialogs dialogs_;
  SocketPhoneLibrary library_;
  std::unique_ptr<PhoneLink> link_;
};

}  // namespace menuforge::cli

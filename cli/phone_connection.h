// A phone reached through the simulator's socket, for the tool's "phone" commands: the same
// session and transfers the program uses, with messages on stderr and, on a terminal, progress
// bars there instead of progress windows.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/cli_dialogs.h"
#include "phone/phone_link.h"
#include "phone/phone_socket_path.h"
#include "phone/socket_library.h"
#include "workspace/settings.h"

namespace menuforge::cli {

inline constexpr OptionSpec kSocketOption{kPhoneSocketOption, true};

// The 8-bit phone path of a command-line argument (UTF-8). Throws CommandFailure for a
// character the phone cannot take.
std::string PhonePathArgument(const std::string& argument);

// Text from the phone as the terminal is to show it: control characters escaped ("\x1B").
std::string ShownOnTerminal(std::string_view text);
// A phone path (8-bit) so shown.
std::string ShownPhonePathOnTerminal(std::string_view path);

class PhoneConnection : private PhoneObserver, private ProgressWindows {
 public:
  // Connects to the socket the option, the environment or the default names, and reads the
  // phone's identity. Working copies of phone files go to `workingFolder`. With "LogEnabled"
  // on in the current folder's settings file, the phone operations are added to its log as the
  // window writes them; otherwise nothing is written there. Throws CommandFailure when no phone
  // answers there.
  explicit PhoneConnection(
      const ParsedArguments& arguments, Settings settings = {},
      const std::filesystem::path& workingFolder = std::filesystem::current_path());

  PhoneLink& link() { return *link_; }
  PhoneSession& session() { return link_->session; }
  P2kLibrary& library() { return library_; }
  CliDialogs& dialogs() { return dialogs_; }

  // Ends the command after a phone command on `phonePath` failed, saying whether the phone
  // refused it or the connection was lost: `prefix`, the path, and which of the two.
  [[noreturn]] void Fail(const char* prefix, const std::string& phonePath);

 private:
  void PhoneConnected() override {}
  void PhoneDisconnected() override { connectionLost_ = true; }
  std::unique_ptr<ProgressSink> Show(const std::string& caption) override;

  Settings settings_;
  CliDialogs dialogs_;
  SocketPhoneLibrary library_;
  std::unique_ptr<PhoneLink> link_;
  bool connectionLost_ = false;
};

}  // namespace menuforge::cli

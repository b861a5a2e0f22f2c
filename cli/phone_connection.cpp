#include "cli/phone_connection.h"

#include <iostream>

#include "cli/command.h"
#include "phone/phone_socket_path.h"

namespace menuforge::cli {
namespace {

constexpr char kNoPhone[] = "no phone found on ";
constexpr char kLibraryNotStarted[] = "cannot use the phone socket ";

class SilentProgress : public ProgressSink {
 public:
  void SetCaption(const std::string&) override {}
  void SetPosition(int) override {}
  void Close() override {}
};

}  // namespace

PhoneConnection::PhoneConnection(const ParsedArguments& arguments, Settings settings,
                                 const std::filesystem::path& workingFolder)
    : settings_(settings),
      dialogs_(std::cerr),
      library_(PhoneSocketPath(arguments.Value(kSocketOption.name))) {
  link_ = std::make_unique<PhoneLink>(library_, settings_, dialogs_,
                                      static_cast<ProgressWindows&>(*this),
                                      static_cast<PhoneObserver&>(*this), workingFolder);
  if (!link_->session.Start())
    throw CommandFailure(kLibraryNotStarted + library_.socketPath().string());
  link_->session.Poll();
  if (!link_->session.connected()) throw CommandFailure(kNoPhone + library_.socketPath().string());
}

std::unique_ptr<ProgressSink> PhoneConnection::Show(const std::string&) {
  return std::make_unique<SilentProgress>();
}

}  // namespace menuforge::cli

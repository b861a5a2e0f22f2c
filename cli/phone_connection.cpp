#include "cli/phone_connection.h"

#include <iostream>
#include <memory>

#include "base/text_encoding.h"
#include "cli/command.h"
#include "cli/progress_bar.h"
#include "cli/terminal_output.h"
#include "menu_json/text_forms.h"
#include "phone/file_operation_messages.h"
#include "phone/phone_socket_path.h"
#include "phone/phone_text.h"
#include "workspace/working_files.h"

namespace menuforge::cli {
namespace {

constexpr char kNoPhone[] = "no phone found on ";
constexpr char kLibraryNotStarted[] = "cannot use the phone socket ";
constexpr char kRefusedByPhone[] = ": refused by the phone";
constexpr char kIdentityUnread[] = "Error reading the phone's identity";

class SilentProgress : public ProgressSink {
 public:
  void SetCaption(const std::string&) override {}
  void SetPosition(int) override {}
  void Close() override {}
};

// A window's caption ends in the percentage ("Downloading x.gif 12%"), which the bar shows.
std::string WithoutPercent(const std::string& caption) {
  const std::size_t space = caption.rfind(' ');
  if (space == std::string::npos || !caption.ends_with('%')) return caption;
  const std::string_view number(caption.data() + space + 1, caption.size() - space - 2);
  const bool digits = !number.empty() && number.find_first_not_of("0123456789") == number.npos;
  return digits ? caption.substr(0, space) : caption;
}

// A transfer's progress as a bar on the terminal, wiped when it ends.
class TerminalProgress : public ProgressSink {
 public:
  explicit TerminalProgress(const std::string& caption) { SetCaption(caption); }
  void SetCaption(const std::string& caption) override {
    if (bar_ && WithoutPercent(caption) == caption_) return;
    bar_.reset();  // it shows the old caption until then
    caption_ = WithoutPercent(caption);
    bar_ = std::make_unique<TerminalProgressBar>(RawErrorStream(), caption_);
  }
  void SetPosition(int percent) override {
    if (bar_) bar_->Show(percent);
  }
  void Close() override { bar_.reset(); }

 private:
  std::string caption_;
  std::unique_ptr<TerminalProgressBar> bar_;
};

// The caller's settings, logging as the current folder's settings file says.
Settings WithLoggingOfCurrentFolder(Settings settings) {
  settings.logging = ReadSettings(std::filesystem::current_path() / kSettingsFileName).logging;
  return settings;
}

}  // namespace

std::string ShownOnTerminal(std::string_view text) { return Escaped(text); }

std::string ShownPhonePathOnTerminal(std::string_view path) {
  return Escaped(ShownPhonePath(path));
}

std::string PhonePathArgument(const std::string& argument) {
  Result<std::string> path = Utf8ToLatin1(argument);
  if (!path) throw CommandFailure(NotEightBitMessage(argument).text);
  return std::move(*path);
}

PhoneConnection::PhoneConnection(const ParsedArguments& arguments, Settings settings,
                                 const std::filesystem::path& workingFolder)
    : settings_(WithLoggingOfCurrentFolder(settings)),
      dialogs_(std::cerr),
      library_(PhoneSocketPath(arguments.Value(kSocketOption.name))) {
  link_ = std::make_unique<PhoneLink>(library_, settings_, dialogs_,
                                      static_cast<ProgressWindows&>(*this),
                                      static_cast<PhoneObserver&>(*this), workingFolder);
  if (settings_.logging) {
    const Status opened = link_->log.Append(std::filesystem::current_path() / kPhoneLogFile);
    if (!opened) throw CommandFailure(opened.error().text);
  }
  if (!link_->session.Start())
    throw CommandFailure(kLibraryNotStarted + library_.socketPath().string());
  link_->session.Poll();
  // A phone that went while it told its identity (its last version query, say) has told it
  // only in part.
  if (link_->session.connected() && library_.connectionOpen()) return;
  if (!link_->session.linked()) throw CommandFailure(kNoPhone + library_.socketPath().string());
  throw CommandFailure(kIdentityUnread + std::string(library_.connectionOpen()
                                                         ? kRefusedByPhone
                                                         : kConnectionLostSuffix));
}

void PhoneConnection::Fail(const char* prefix, const std::string& phonePath) {
  // A connection that broke is noticed, as a pulled cable is, by the next look for the phone.
  link_->session.Poll();
  throw CommandFailure(prefix + ShownPhonePathOnTerminal(phonePath) +
                       (connectionLost_ ? kConnectionLostSuffix : kRefusedByPhone));
}

std::unique_ptr<ProgressSink> PhoneConnection::Show(const std::string& caption) {
  if (ErrorStreamIsTerminal()) return std::make_unique<TerminalProgress>(caption);
  return std::make_unique<SilentProgress>();
}

}  // namespace menuforge::cli

#include "cli/cli_dialogs.h"

#include "cli/command.h"

namespace menuforge::cli {
namespace {

constexpr char kAnsweredNo[] = " (answered No)";

}  // namespace

void CliDialogs::Show(const Message& message) {
  out_ << (message.icon == MessageIcon::Error ? kErrorPrefix : "") << message.text << '\n';
}

bool CliDialogs::Ask(const Message& question) {
  out_ << question.text << kAnsweredNo << '\n';
  return false;
}

}  // namespace menuforge::cli

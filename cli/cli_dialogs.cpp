#include "cli/cli_dialogs.h"

#include "base/local_file.h"
#include "cli/command.h"
#include "menu_json/text_forms.h"

namespace menuforge::cli {
namespace {

constexpr char kAnsweredNo[] = " (answered No)";

// A message's own line breaks stay; any other control character, which only a text from a file
// or a phone can have brought in, is escaped.
std::string Shown(const std::string& text) {
  std::string shown;
  for (const std::string& line : SplitLines(text)) {
    if (!shown.empty()) shown += '\n';
    shown += Escaped(line);
  }
  return shown;
}

}  // namespace

void CliDialogs::Show(const Message& message) {
  out_ << (message.icon == MessageIcon::Error ? kErrorPrefix : "") << Shown(message.text) << '\n';
}

bool CliDialogs::Ask(const Message& question) {
  out_ << Shown(question.text) << kAnsweredNo << '\n';
  return false;
}

}  // namespace menuforge::cli

#include "cli/phone_commands.h"

#include <array>
#include <iostream>

#include "cli/command.h"
#include "cli/phone_subcommands.h"
#include "cli/run_command.h"

namespace menuforge::cli {
namespace {

constexpr char kPhoneProgram[] = "menuforge-cli phone";
constexpr char kNoSubcommand[] = "no phone command given";
constexpr char kUnknownSubcommand[] = "unknown phone command ";
constexpr char kSocketNote[] =
    "\nThe phone is the one on the simulator's socket: --phone-socket PATH, else\n"
    "$MENUFORGE_PHONE_SOCKET, else the default path (see menuforge-phonesim --help).\n"
    "Exit status: 0 success, 1 no phone or a refused command, 2 bad usage.\n";

constexpr std::array<const Command*, 11> kSubcommands = {
    &kPhoneInfoCommand,       &kPhoneListCommand,         &kPhonePullCommand,
    &kPhonePushCommand,       &kPhoneRemoveCommand,       &kPhoneBackupMenuCommand,
    &kPhoneMakeFolderCommand, &kPhoneRemoveFolderCommand, &kPhoneAttributesCommand,
    &kPhoneWriteMenuCommand,  &kPhoneRestoreMenuCommand};

void PrintPhoneUsage(std::ostream& out) {
  out << "usage: " << kPhoneProgram
      << " COMMAND [ARGUMENTS] [--phone-socket PATH] [--help]\n\ncommands:\n";
  for (const Command* command : kSubcommands)
    out << "  " << command->name << (command->synopsis.empty() ? "" : " ") << command->synopsis
        << '\n';
  out << kSocketNote;
}

}  // namespace

int RunPhoneCommand(std::span<const std::string> arguments) {
  if (arguments.empty()) {
    PrintPhoneUsage(std::cerr);
    return UsageFailure(kNoSubcommand, kPhoneProgram);
  }
  const std::string& name = arguments.front();
  if (name == "--help" || name == "-h") {
    PrintPhoneUsage(std::cout);
    return kExitSuccess;
  }
  for (const Command* command : kSubcommands)
    if (command->name == name)
      return RunCommand(*command, arguments.subspan(1), kPhoneProgram, kSocketNote);
  return UsageFailure(kUnknownSubcommand + name, kPhoneProgram);
}

}  // namespace menuforge::cli

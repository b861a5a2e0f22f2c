#include "cli/phone_commands.h"

#include <array>
#include <iostream>

#include "cli/command.h"
#include "cli/phone_subcommands.h"

namespace menuforge::cli {
namespace {

constexpr char kUsagePrefix[] = "usage: menuforge-cli phone ";
constexpr char kPhoneHelp[] = "menuforge-cli phone";
constexpr char kNoSubcommand[] = "no phone command given";
constexpr char kUnknownSubcommand[] = "unknown phone command ";
constexpr char kSocketNote[] =
    "\nThe phone is the one on the simulator's socket: --phone-socket PATH, else\n"
    "$MENUFORGE_PHONE_SOCKET, else the default path (see menuforge-phonesim --help).\n"
    "Exit status: 0 success, 1 no phone or a refused command, 2 bad usage.\n";

constexpr std::array<const Command*, 6> kSubcommands = {
    &kPhoneInfoCommand, &kPhoneListCommand,   &kPhonePullCommand,
    &kPhonePushCommand, &kPhoneRemoveCommand, &kPhoneBackupMenuCommand};

void PrintPhoneUsage(std::ostream& out) {
  out << kUsagePrefix << "COMMAND [ARGUMENTS] [--phone-socket PATH] [--help]\n\ncommands:\n";
  for (const Command* command : kSubcommands)
    out << "  " << command->name << (command->synopsis.empty() ? "" : " ") << command->synopsis
        << '\n';
  out << kSocketNote;
}

int UsageFailure(const std::string& text, const std::string& helpTarget) {
  std::cerr << "error: " << text << " (see " << helpTarget << " --help)\n";
  return kExitUsage;
}

int RunSubcommand(const Command& command, std::span<const std::string> arguments) {
  const std::string helpTarget = std::string(kPhoneHelp) + " " + std::string(command.name);
  try {
    const ParsedArguments parsed =
        ParseArguments(arguments, command.options, command.positionalCount);
    if (parsed.help) {
      std::cout << kUsagePrefix << command.name << (command.synopsis.empty() ? "" : " ")
                << command.synopsis << "\n\n"
                << command.description << kSocketNote;
      return kExitSuccess;
    }
    return command.run(parsed);
  } catch (const UsageError& error) {
    return UsageFailure(error.what(), helpTarget);
  } catch (const CommandFailure& error) {
    std::cerr << "error: " << error.what() << '\n';
    return error.code();
  } catch (const std::exception& error) {
    std::cerr << "error: " << error.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace

int RunPhoneCommand(std::span<const std::string> arguments) {
  if (arguments.empty()) {
    PrintPhoneUsage(std::cerr);
    return UsageFailure(kNoSubcommand, kPhoneHelp);
  }
  const std::string& name = arguments.front();
  if (name == "--help" || name == "-h") {
    PrintPhoneUsage(std::cout);
    return kExitSuccess;
  }
  for (const Command* command : kSubcommands)
    if (command->name == name) return RunSubcommand(*command, arguments.subspan(1));
  return UsageFailure(kUnknownSubcommand + name, kPhoneHelp);
}

}  // namespace menuforge::cli

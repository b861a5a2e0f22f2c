// menuforge-cli: reads, checks, converts and writes mma_ucp files from the command line.
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/phone_commands.h"

namespace menuforge::cli {
namespace {

constexpr char kToolName[] = "menuforge-cli";
constexpr char kToolDescription[] =
    "Reads, checks, converts and writes mma_ucp menu files. The item base and the profiles\n"
    "are those of the folder \"Profiles\" in the current directory.\n";
constexpr char kNoCommand[] = "no command given";
constexpr char kUnknownCommand[] = "unknown command ";

constexpr std::array<const Command*, 6> kCommands = {&kNewCommand,    &kDumpCommand,
                                                     &kConvertCommand, &kCheckCommand,
                                                     &kExportCommand,  &kImportCommand};

void PrintToolUsage(std::ostream& out) {
  out << "usage: " << kToolName << " COMMAND [ARGUMENTS] [--help]\n\n" << kToolDescription
      << "\ncommands:\n";
  for (const Command* command : kCommands)
    out << "  " << command->name << ' ' << command->synopsis << '\n';
  out << "  " << kPhoneCommandName << ' ' << kPhoneCommandSynopsis << '\n';
  out << "\nexit status: 0 success, 1 refused input or failure, 2 bad usage\n";
}

void PrintCommandUsage(const Command& command) {
  std::cout << "usage: " << kToolName << ' ' << command.name << ' ' << command.synopsis << "\n\n"
            << command.description;
}

int UsageFailure(const std::string& text, std::string_view helpTarget) {
  std::cerr << "error: " << text << " (see " << kToolName << helpTarget << " --help)\n";
  return kExitUsage;
}

int RunCommand(const Command& command, std::span<const std::string> arguments) {
  const std::string helpTarget = " " + std::string(command.name);
  try {
    const ParsedArguments parsed =
        ParseArguments(arguments, command.options, command.positionalCount);
    if (parsed.help) {
      PrintCommandUsage(command);
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

int RunTool(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    PrintToolUsage(std::cerr);
    return UsageFailure(kNoCommand, "");
  }
  const std::string& name = arguments.front();
  if (name == "--help" || name == "-h") {
    PrintToolUsage(std::cout);
    return kExitSuccess;
  }
  for (const Command* command : kCommands)
    if (command->name == name)
      return RunCommand(*command, std::span(arguments).subspan(1));
  if (name == kPhoneCommandName) return RunPhoneCommand(std::span(arguments).subspan(1));
  return UsageFailure(kUnknownCommand + name, "");
}

}  // namespace
}  // namespace menuforge::cli

int main(int argc, char** argv) {
  return menuforge::cli::RunTool(std::vector<std::string>(argv + 1, argv + argc));
}

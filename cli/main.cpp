// menuforge-cli: reads, checks, converts and writes mma_ucp files from the command line.
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "base/temporary_files.h"
#include "base/version.h"
#include "cli/command.h"
#include "cli/phone_commands.h"
#include "cli/picture_commands.h"
#include "cli/run_command.h"
#include "cli/terminal_output.h"

namespace menuforge::cli {
namespace {

constexpr char kToolName[] = "menuforge-cli";
constexpr char kToolDescription[] =
    "Reads, checks, converts and writes mma_ucp menu files. The item base and the profiles\n"
    "are those of the folder \"Profiles\" in the current directory.\n";
constexpr char kNoCommand[] = "no command given";
constexpr char kUnknownCommand[] = "unknown command ";

constexpr std::array<const Command*, 13> kCommands = {
    &kNewCommand,    &kDumpCommand,         &kConvertCommand, &kCheckCommand, &kExportCommand,
    &kImportCommand, &kScanFirmwareCommand, &kJ2mestCommand,  &kGifCommand,   &kPreviewCommand,
    &kDiffCommand,   &kMergeCommand,        &kApplyCommand};

void PrintToolUsage(std::ostream& out) {
  out << "usage: " << kToolName << " COMMAND [ARGUMENTS] [--help]\n"
      << "       " << kToolName << " --version\n\n"
      << kToolDescription << "\ncommands:\n";
  for (const Command* command : kCommands)
    out << "  " << command->name << ' ' << command->synopsis << '\n';
  out << "  " << kPhoneCommandName << ' ' << kPhoneCommandSynopsis << '\n';
  out << "  " << kDrmCommandName << ' ' << kDrmCommandSynopsis << '\n';
  out << "\nexit status: 0 success, 1 refused input or failure, 2 bad usage\n";
}

int RunTool(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    PrintToolUsage(std::cerr);
    return UsageFailure(kNoCommand, kToolName);
  }
  const std::string& name = arguments.front();
  if (name == "--help" || name == "-h") {
    PrintToolUsage(std::cout);
    return kExitSuccess;
  }
  if (name == "--version") {
    std::cout << kToolName << ' ' << kVersion << '\n';
    return kExitSuccess;
  }
  for (const Command* command : kCommands)
    if (command->name == name)
      return RunCommand(*command, std::span(arguments).subspan(1), kToolName);
  if (name == kPhoneCommandName) return RunPhoneCommand(std::span(arguments).subspan(1));
  if (name == kDrmCommandName) return RunDrmCommand(std::span(arguments).subspan(1));
  return UsageFailure(kUnknownCommand + name, kToolName);
}

}  // namespace
}  // namespace menuforge::cli

int main(int argc, char** argv) {
  using namespace menuforge;
  const cli::TerminalSafeOutput safeOutput;
  RemoveTemporaryPathsOnSignals();
  const int code = cli::RunTool(std::vector<std::string>(argv + 1, argv + argc));
  return cli::CheckedOutput(code, cli::kExitFailure);
}

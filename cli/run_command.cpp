#include "cli/run_command.h"

#include <iostream>

#include "cli/terminal_output.h"

namespace menuforge::cli {

int UsageFailure(const std::string& text, std::string_view program) {
  std::cerr << kErrorPrefix << text << " (see " << program << " --help)\n";
  return kExitUsage;
}

namespace {

int RunChecked(const Command& command, std::span<const std::string> arguments,
               std::string_view program, std::string_view helpTrailer) {
  const std::string commandLine = std::string(program) + " " + std::string(command.name);
  try {
    const ParsedArguments parsed =
        ParseArguments(arguments, command.options, command.positionalCount, command.optionalCount);
    if (parsed.help) {
      std::cout << "usage: " << commandLine << (command.synopsis.empty() ? "" : " ")
                << command.synopsis << "\n\n"
                << command.description << helpTrailer;
      return kExitSuccess;
    }
    return command.run(parsed);
  } catch (const UsageError& error) {
    return UsageFailure(error.what(), commandLine);
  } catch (const CommandFailure& error) {
    std::cerr << kErrorPrefix << error.what() << '\n';
    return error.code();
  } catch (const std::exception& error) {
    std::cerr << kErrorPrefix << error.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace

int RunCommand(const Command& command, std::span<const std::string> arguments,
               std::string_view program, std::string_view helpTrailer) {
  const int code = RunChecked(command, arguments, program, helpTrailer);
  // Output that did not reach its file is trouble, which diff, as diff(1), tells by 2, and so do
  // merge and apply, whose 1 says that there were conflicts.
  const bool troubleIsTwo =
      &command == &kDiffCommand || &command == &kMergeCommand || &command == &kApplyCommand;
  return CheckedOutput(code, troubleIsTwo ? kExitUsage : kExitFailure);
}

}  // namespace menuforge::cli

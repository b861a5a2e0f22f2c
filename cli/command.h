// What every command of the tool is made of, and how a command ends in failure.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/arguments.h"

namespace menuforge::cli {

enum ExitCode : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// Starts every line that tells of a failure on stderr.
inline constexpr char kErrorPrefix[] = "error: ";

// Ends a command: the text goes to stderr as one "error: ..." line.
class CommandFailure : public std::runtime_error {
 public:
  explicit CommandFailure(const std::string& text, ExitCode code = kExitFailure)
      : std::runtime_error(text), code_(code) {}
  ExitCode code() const { return code_; }

 private:
  ExitCode code_;
};

struct Command {
  std::string_view name;
  std::string_view synopsis;     // arguments after the command name
  std::string_view description;  // the rest of the --help text
  std::span<const OptionSpec> options;
  std::size_t positionalCount;
  // Returns the exit code; failures may also be thrown as CommandFailure or UsageError.
  int (*run)(const ParsedArguments& arguments);
  // Positional arguments after the first positionalCount that may be left out.
  std::size_t optionalCount = 0;
};

extern const Command kNewCommand;
extern const Command kDumpCommand;
extern const Command kConvertCommand;
extern const Command kCheckCommand;
extern const Command kExportCommand;
extern const Command kImportCommand;
extern const Command kScanFirmwareCommand;
extern const Command kJ2mestCommand;
extern const Command kDiffCommand;
extern const Command kMergeCommand;
extern const Command kApplyCommand;

}  // namespace menuforge::cli

// Running one command of the tool: its arguments, its --help, and how its failures are told.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/command.h"

namespace menuforge::cli {

// "error: TEXT (see PROGRAM --help)" on stderr; returns the usage exit code.
int UsageFailure(const std::string& text, std::string_view program);

// `program` is what precedes the command's name on the command line ("menuforge-cli" or
// "menuforge-cli phone"); `helpTrailer` follows the command's description in its --help.
int RunCommand(const Command& command, std::span<const std::string> arguments,
               std::string_view program, std::string_view helpTrailer = {});

}  // namespace menuforge::cli

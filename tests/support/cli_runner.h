// Runs the built command-line tool the way a script would, for the tests of its commands.
#pragma once

#include <filesystem>
#include <string>

namespace menuforge::test {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `program` with `arguments` (shell words) in `folder`, with `environment` ("NAME='value'",
// or empty) set for it. Stderr goes through a file beside the folder, so the folder holds only
// what the tool wrote.
CliRun RunCli(const std::string& program, const std::filesystem::path& folder,
              const std::string& arguments, const std::string& environment = {});

}  // namespace menuforge::test

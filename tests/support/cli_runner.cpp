#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdio>

#include "support/test_support.h"

namespace menuforge::test {

CliRun RunCli(const std::string& program, const std::filesystem::path& folder,
              const std::string& arguments, const std::string& environment) {
  const std::filesystem::path errPath =
      folder.parent_path() / (folder.filename().string() + ".stderr");
  const std::string command = "cd '" + folder.string() + "' && " + environment + " '" + program +
                              "' " + arguments + " 2>'" + errPath.string() + "'";
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFileText(errPath);
  std::filesystem::remove(errPath);
  return run;
}

}  // namespace menuforge::test

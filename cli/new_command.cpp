#include <filesystem>

#include "cli/command.h"
#include "cli/format_choice.h"
#include "cli/workspace.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kForceOption{"--force", false};
constexpr OptionSpec kOptions[] = {kRecordsOption, kProfileOption, kForceOption};

std::string AlreadyThereText(const std::string& path) {
  return path + " already exists; give --force to replace it";
}

int RunNew(const ParsedArguments& arguments) {
  const FormatChoice choice = ReadFormatChoice(arguments);
  const std::string& out = arguments.positional[0];
  std::error_code error;
  if (!arguments.Has(kForceOption.name) &&
      std::filesystem::symlink_status(out, error).type() != std::filesystem::file_type::not_found)
    throw CommandFailure(AlreadyThereText(out));
  Workspace workspace;
  workspace.Prepare(arguments);
  workspace.document.New();
  workspace.ChangeOptions([&](FormatOptions& options) { choice.ApplyTo(options); });
  workspace.Save(out);
  return kExitSuccess;
}

}  // namespace

const Command kNewCommand{
    "new",
    "OUT [--records 22|36] [--profile NAME] [--force]",
    "Writes a new menu file: the seven default soft keys and an empty main menu. An existing\n"
    "OUT is left alone unless --force is given.\n"
    "\n"
    "  --records 22|36   record size (default 36, or the profile's)\n"
    "  --profile NAME    check the items against Profiles/NAME.prf and take its format\n"
    "  --force           replace OUT when it exists\n",
    kOptions,
    1,
    RunNew,
};

}  // namespace menuforge::cli

#include "cli/command.h"
#include "cli/format_choice.h"
#include "cli/workspace.h"
#include "menu/tree_operations.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kRecordsOption, kProfileOption};

int RunNew(const ParsedArguments& arguments) {
  const FormatChoice choice = ReadFormatChoice(arguments);
  Workspace workspace;
  workspace.Prepare(arguments);
  choice.ApplyTo(workspace.options);
  BuildSkeleton(workspace.tree);
  workspace.Save(arguments.positional[0]);
  return kExitSuccess;
}

}  // namespace

const Command kNewCommand{
    "new",
    "OUT [--records 22|36] [--profile NAME]",
    "Writes a new menu file: the seven default soft keys and an empty main menu.\n"
    "\n"
    "  --records 22|36   record size (default 36, or the profile's)\n"
    "  --profile NAME    check the items against Profiles/NAME.prf and take its format\n",
    kOptions,
    1,
    RunNew,
};

}  // namespace menuforge::cli

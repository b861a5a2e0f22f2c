#include "cli/command.h"
#include "cli/format_choice.h"
#include "cli/workspace.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kRecordsOption,       kC698pOption,   kNoC698pOption,
                                   kIconAttributeOption, kSaveAllOption, kProfileOption};

int RunConvert(const ParsedArguments& arguments) {
  const FormatChoice choice = ReadFormatChoice(arguments);
  Workspace workspace;
  workspace.Prepare(arguments);
  workspace.Open(arguments.positional[0]);
  workspace.ChangeOptions([&](FormatOptions& options) { choice.ApplyTo(options); });
  workspace.Save(arguments.positional[1]);
  return kExitSuccess;
}

}  // namespace

const Command kConvertCommand{
    "convert",
    "IN OUT [--records 22|36] [--c698p | --no-c698p] [--icon-attr 06|0C] [--save-all]\n"
    "                  [--profile NAME]",
    "Reads a menu file and writes it again, in another format when asked. Options not given\n"
    "keep what reading IN found.\n"
    "\n"
    "  --records 22|36     record size; 36 sets the icon attribute to 0C and clears the fix\n"
    "  --c698p, --no-c698p set or clear the c698p fix (22-byte records only)\n"
    "  --icon-attr 06|0C   tag of file icon chunks (06 with 22-byte records only)\n"
    "  --save-all          keep unknown chunks and item types\n"
    "  --profile NAME      open and save against Profiles/NAME.prf\n",
    kOptions,
    2,
    RunConvert,
};

}  // namespace menuforge::cli

#include "base/local_file.h"
#include "cli/command.h"
#include "cli/format_choice.h"
#include "cli/workspace.h"
#include "menu_json/json_menu.h"
#include "menu_json/json_text.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kRecordsOption, kProfileOption};
// A menu file holds at most some 140 KB of records and data, which export spells out in under
// a megabyte; a larger file is refused by its size before it is read.
constexpr std::size_t kLargestJsonMenu = 8 * 1024 * 1024;
constexpr char kJsonMenuKind[] = "a JSON menu";

Json ReadJson(const std::string& file) {
  const Result<std::string> text = ReadWholeFile(file, kLargestJsonMenu, kJsonMenuKind);
  if (!text) throw CommandFailure(text.error().text);
  try {
    return ParseJsonText(*text, file);
  } catch (const JsonMenuError& error) {
    throw CommandFailure(error.what());
  }
}

int RunImport(const ParsedArguments& arguments) {
  const FormatChoice choice = ReadFormatChoice(arguments);
  const std::string& file = arguments.positional[0];
  const Json json = ReadJson(file);

  Workspace workspace;
  workspace.Prepare(arguments);
  try {
    workspace.Build([&](MenuTree& tree, const ItemTable& items, FormatOptions& options) {
      options = MenuFromJson(json, {items, arguments.Value(kProfileOption.name)}, tree);
    });
  } catch (const JsonMenuError& error) {
    throw CommandFailure(file + ": " + error.what());
  }
  workspace.ChangeOptions([&](FormatOptions& options) { choice.ApplyTo(options); });
  workspace.Save(arguments.positional[1]);
  return kExitSuccess;
}

}  // namespace

const Command kImportCommand{
    "import",
    "JSON OUT [--records 22|36] [--profile NAME]",
    "Writes the menu that a JSON file in the form of \"export\" describes, in the format its\n"
    "\"format\" names. Every value is checked first; on any fault nothing is written.\n"
    "Links of main menu entries and \"display\" are recomputed; soft keys keep theirs.\n"
    "\n"
    "  --records 22|36   record size instead of the JSON's; 36 sets the icon attribute to 0C\n"
    "                    and clears the fix\n"
    "  --profile NAME    check the items against Profiles/NAME.prf\n",
    kOptions,
    2,
    RunImport,
};

}  // namespace menuforge::cli

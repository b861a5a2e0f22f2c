#include <iostream>

#include "cli/command.h"
#include "cli/workspace.h"
#include "menu_json/json_menu.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kProfileOption};
constexpr int kJsonIndent = 2;

int RunExport(const ParsedArguments& arguments) {
  Workspace workspace;
  workspace.Prepare(arguments);
  workspace.Open(arguments.positional[0]);
  // In ASCII, with \uXXXX for the rest, the JSON stays valid through the terminal-safe output.
  std::cout << MenuToJson(workspace.document.tree(), workspace.document.options())
                   .dump(kJsonIndent, ' ', true)
            << '\n';
  return kExitSuccess;
}

}  // namespace

const Command kExportCommand{
    "export",
    "FILE [--profile NAME]",
    "Prints the whole menu and its data as JSON:\n"
    "  {\"format\":{\"recordSize\",\"c698pFix\",\"customIconAttribute\",\"saveAllData\"},\n"
    "   \"softkeys\":[7 nodes], \"menu\":[nodes]}\n"
    "A node holds name, display, type, titleMode, attribute, parent, next, firstChild,\n"
    "modified, data (chunks by \"tag\") and children. Titles and icon paths that hold UCS-2\n"
    "surrogates are given as \"ucs2\" hex instead of text.\n"
    "\n"
    "  --profile NAME    open the file against Profiles/NAME.prf\n",
    kOptions,
    1,
    RunExport,
};

}  // namespace menuforge::cli

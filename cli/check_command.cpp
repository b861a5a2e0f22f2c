#include <iostream>

#include "cli/command.h"
#include "cli/workspace.h"
#include "menu/mma_loader.h"
#include "menu/mma_saver.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kProfileOption};
constexpr char kDataDroppedText[] =
    "the file holds data that loading drops (see the warnings); saved as it is, it would lose "
    "that data";

std::string CheckedText(const Workspace& workspace) {
  return "ok: " + std::to_string(workspace.document.tree().EntryCount()) + " main menu entries, " +
         std::to_string(workspace.document.formatState().recordSize) + "-byte records";
}

// Unlike opening a file in the window, a profile mismatch does not fall back to "Default": it
// is the answer.
int RunCheck(const ParsedArguments& arguments) {
  Workspace workspace;
  workspace.Prepare(arguments);
  const LoadResult load = workspace.Load(arguments.positional[0]);
  for (const MissingItem& item : load->missingItems)
    std::cerr << NotAvailableText(item.identifier) << '\n';

  Bytes encoded;
  const SaveResult saved = workspace.document.Encode(encoded);
  if (!saved) throw CommandFailure(saved.error().text);
  if (!load->dropped.empty()) throw CommandFailure(kDataDroppedText);
  std::cout << CheckedText(workspace) << '\n';
  return kExitSuccess;
}

}  // namespace

const Command kCheckCommand{
    "check",
    "FILE [--profile NAME]",
    "Exits 0 when the file loads and could be saved as it is: every item among the available\n"
    "items (the whole item base, or the profile's items), and nothing the file holds dropped\n"
    "on loading. Otherwise prints why and exits 1.\n"
    "Nothing in the working folder is changed.\n"
    "\n"
    "  --profile NAME    check against Profiles/NAME.prf\n",
    kOptions,
    1,
    RunCheck,
};

}  // namespace menuforge::cli

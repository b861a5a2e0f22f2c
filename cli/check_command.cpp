#include <iostream>

#include "catalog/menu_opening.h"
#include "cli/command.h"
#include "cli/workspace.h"
#include "menu/mma_loader.h"
#include "menu/mma_saver.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kProfileOption};

std::string NotAvailableText(const std::string& identifier) {
  return "item \"" + identifier + "\" is not among the available items";
}

std::string CheckedText(const Workspace& workspace) {
  return "ok: " + std::to_string(workspace.tree.EntryCount()) + " main menu entries, " +
         std::to_string(workspace.state.recordSize) + "-byte records";
}

// The loader stops at the first item outside a profile without naming it; loaded as under
// "Default" it names them all (appending them to the item base is left to its caller).
void NameMissingItems(ByteView file, const Workspace& workspace) {
  MenuTree tree;
  FormatOptions options;
  FormatState state;
  const LoadResult load =
      ParseMenuFile(file, {workspace.catalog.availableItems(), true}, tree, options, state);
  for (const MissingItem& item : load.missingItems)
    std::cerr << NotAvailableText(item.identifier) << '\n';
}

// Unlike opening a file in the window, a profile mismatch does not fall back to "Default": it
// is the answer.
int RunCheck(const ParsedArguments& arguments) {
  Workspace workspace;
  workspace.Prepare(arguments);
  Bytes file;
  if (std::string error = ReadMenuFileBytes(arguments.positional[0], file); !error.empty())
    throw CommandFailure(error);

  const LoadResult load =
      ParseMenuFile(file, {workspace.catalog.availableItems(), workspace.profileIsDefault()},
                    workspace.tree, workspace.options, workspace.state);
  for (const std::string& warning : load.warnings) PrintWarning(warning);
  if (load.status == LoadStatus::Failed) throw CommandFailure(load.error);
  if (load.status == LoadStatus::ProfileMismatch) {
    NameMissingItems(file, workspace);
    throw CommandFailure(kProfileMismatchOnLoadText);
  }
  for (const MissingItem& item : load.missingItems)
    std::cerr << NotAvailableText(item.identifier) << '\n';

  Bytes encoded;
  const SaveResult saved = EncodeMenuFile(workspace.tree, workspace.options,
                                          workspace.catalog.availableItems(), encoded);
  if (saved.status != SaveStatus::Saved) throw CommandFailure(saved.message.text);
  std::cout << CheckedText(workspace) << '\n';
  return kExitSuccess;
}

}  // namespace

const Command kCheckCommand{
    "check",
    "FILE [--profile NAME]",
    "Exits 0 when the file loads and could be saved as it is: every item among the available\n"
    "items (the whole item base, or the profile's items). Otherwise prints why and exits 1.\n"
    "The item base is not changed.\n"
    "\n"
    "  --profile NAME    check against Profiles/NAME.prf\n",
    kOptions,
    1,
    RunCheck,
};

}  // namespace menuforge::cli

#include "base/local_file.h"
#include "cli/command.h"
#include "cli/menu_sides.h"
#include "cli/phone_connection.h"
#include "menu/menu_merge.h"
#include "menu_json/change_list_json.h"
#include "menu_json/json_text.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kJsonOption{"--json", false};
constexpr OptionSpec kOptions[] = {kOutputOption, kJsonOption, kSocketOption};

// As merge has it: 0 every change made, 1 some left out as conflicts, 2 trouble.
constexpr ExitCode kExitConflicts = kExitFailure;
constexpr ExitCode kExitTrouble = kExitUsage;
// Far beyond the change list of two full menus.
constexpr std::size_t kChangeListLimit = 64 << 20;
constexpr char kChangeListKind[] = "a change list";

ChangeList ReadChangeList(const std::string& file) {
  const Result<std::string> text = ReadWholeFile(file, kChangeListLimit, kChangeListKind);
  if (!text) throw CommandFailure(text.error().text);
  try {
    return ChangeListFromJson(ParseJsonText(*text, file));
  } catch (const JsonMenuError& error) {
    throw CommandFailure(file + ": " + error.what());
  }
}

int Apply(const ParsedArguments& arguments) {
  const std::filesystem::path out = OutputPath(arguments);
  const ChangeList changes = ReadChangeList(arguments.positional[1]);
  Catalog catalog(std::filesystem::current_path());
  PrepareSideCatalog(catalog);
  LoadedSide menu;
  LoadSide(arguments.positional[0], arguments, catalog, menu);
  Result<MergedMenu> applied = ApplyChangeList({menu.tree, menu.options}, changes);
  if (!applied) throw CommandFailure(applied.error().text);
  WriteMergedMenu(out, applied->tree, applied->options, catalog);
  PrintConflicts(applied->conflicts, arguments.Has(kJsonOption.name));
  return applied->conflicts.empty() ? kExitSuccess : kExitConflicts;
}

int RunApply(const ParsedArguments& arguments) {
  try {
    return Apply(arguments);
  } catch (const UsageError&) {
    throw;
  } catch (const std::exception& error) {
    throw CommandFailure(error.what(), kExitTrouble);
  }
}

}  // namespace

const Command kApplyCommand{
    "apply",
    "MENU CHANGES.json -o OUT [--json] [--phone-socket PATH]",
    "Makes the changes of a change list to MENU and writes the result into OUT. The change\n"
    "list is what \"diff A B --json\" prints: it records what each change expects to find, so a\n"
    "change whose entry is missing, or holds other values than A held, is a conflict: it is\n"
    "left out and listed on stdout, one a line, as merge lists them (\"mine\" is MENU,\n"
    "\"theirs\" the change list), or as \"! PATH: not in the menu\". OUT is written whole or\n"
    "not at all.\n"
    "\n"
    "MENU is a menu file, \"phone:\" or \"backup:N\", as for diff.\n"
    "\n"
    "  -o OUT                the file to write\n"
    "  --json                the conflicts as JSON: {\"clean\": ..., \"conflicts\": [lines]}\n"
    "  --phone-socket PATH   the phone's socket, for \"phone:\"\n"
    "\n"
    "exit status: 0 every change made, 1 some left out as conflicts, 2 trouble (nothing\n"
    "written)\n",
    kOptions,
    2,
    RunApply,
};

}  // namespace menuforge::cli

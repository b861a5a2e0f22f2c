#include "cli/command.h"
#include "cli/menu_sides.h"
#include "cli/phone_connection.h"
#include "menu/menu_merge.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kTheirsOption{"--theirs", false};
constexpr OptionSpec kJsonOption{"--json", false};
constexpr OptionSpec kOptions[] = {kOutputOption, kTheirsOption, kJsonOption, kSocketOption};

// 0 merged cleanly, 1 merged with conflicts, 2 trouble (nothing written).
constexpr ExitCode kExitConflicts = kExitFailure;
constexpr ExitCode kExitTrouble = kExitUsage;

int Merge(const ParsedArguments& arguments) {
  const std::filesystem::path out = OutputPath(arguments);
  Catalog catalog(std::filesystem::current_path());
  PrepareSideCatalog(catalog);
  LoadedSide base, mine, theirs;
  LoadSide(arguments.positional[0], arguments, catalog, base);
  LoadSide(arguments.positional[1], arguments, catalog, mine);
  LoadSide(arguments.positional[2], arguments, catalog, theirs);
  Result<MergedMenu> merged = MergeMenus(
      {base.tree, base.options}, {mine.tree, mine.options}, {theirs.tree, theirs.options},
      arguments.Has(kTheirsOption.name) ? ConflictChoice::TakeTheirs : ConflictChoice::KeepMine);
  if (!merged) throw CommandFailure(merged.error().text);
  WriteMergedMenu(out, merged->tree, merged->options, catalog);
  PrintConflicts(merged->conflicts, arguments.Has(kJsonOption.name));
  return merged->conflicts.empty() ? kExitSuccess : kExitConflicts;
}

int RunMerge(const ParsedArguments& arguments) {
  try {
    return Merge(arguments);
  } catch (const UsageError&) {
    throw;
  } catch (const std::exception& error) {
    throw CommandFailure(error.what(), kExitTrouble);
  }
}

}  // namespace

const Command kMergeCommand{
    "merge",
    "BASE MINE THEIRS -o OUT [--theirs] [--json] [--phone-socket PATH]",
    "Writes MINE with the changes from BASE to THEIRS into OUT: after a firmware update, BASE\n"
    "is the old default menu, MINE your menu and THEIRS the new default menu. Entries are\n"
    "matched as diff matches them. Changes to different entries, or to different fields of\n"
    "one entry, combine. A conflict is one field changed to different values on both sides,\n"
    "an entry removed on one side and changed or moved on the other, an entry moved to\n"
    "different places, or an entry added into a folder the other side removed. For each\n"
    "conflict MINE's side is kept, and the conflict is listed on stdout, one a line:\n"
    "  ! PATH: FIELD mine OLD -> A, theirs OLD -> B\n"
    "  ! PATH: removed by theirs, changed by mine\n"
    "  ! PATH: moved by mine to FOLDER #N, by theirs to FOLDER #M\n"
    "  ! PATH: added by theirs into a folder mine removed\n"
    "  ! format: FIELD mine OLD -> A, theirs OLD -> B\n"
    "The record size and format options are MINE's unless THEIRS changed them from BASE.\n"
    "OUT is written whole or not at all; a result the format cannot hold (more than 245\n"
    "entries, 64 KB of entry data or 11 chunks to an entry) is not written, and the message\n"
    "names the limit and the entries past it.\n"
    "\n"
    "BASE, MINE and THEIRS are menu files, \"phone:\" or \"backup:N\", as for diff.\n"
    "\n"
    "  -o OUT                the file to write\n"
    "  --theirs              take THEIRS's side of every conflict\n"
    "  --json                the conflicts as JSON: {\"clean\": ..., \"conflicts\": [lines]}\n"
    "  --phone-socket PATH   the phone's socket, for \"phone:\"\n"
    "\n"
    "exit status: 0 merged cleanly, 1 merged with conflicts, 2 trouble (nothing written)\n",
    kOptions,
    3,
    RunMerge,
};

}  // namespace menuforge::cli

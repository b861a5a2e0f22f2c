#include <iostream>

#include "catalog/menu_opening.h"
#include "cli/command.h"
#include "cli/diff_inputs.h"
#include "cli/diff_output.h"
#include "cli/phone_connection.h"
#include "cli/workspace.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kJsonOption{"--json", false};
constexpr OptionSpec kOptions[] = {kJsonOption, kSocketOption};

// As diff has it: 0 the same, 1 different, 2 trouble.
constexpr ExitCode kExitDifferent = kExitFailure;
constexpr ExitCode kExitTrouble = kExitUsage;

struct LoadedMenu {
  MenuTree tree;
  FormatOptions options;
  std::vector<DroppedData> dropped;
};

// Loaded under "Default" with the working folder's item base, which may grow in memory by the
// items the menus name; nothing is stored.
void Load(const std::string& side, ByteView file, Catalog& catalog, LoadedMenu& menu) {
  FormatState state;
  const LoadResult load =
      ParseMenuFile(file, {catalog.availableItems(), true}, menu.tree, menu.options, state);
  if (!load) throw CommandFailure(side + ": " + load.error().text);
  PrintWarnings(load->warnings);
  menu.dropped = load->dropped;
  std::vector<std::string> warnings;
  AdmitMissingItems(load->missingItems, menu.tree, catalog, warnings);
  PrintWarnings(warnings);
}

// Straight to the standard output: the lines of the largest menus take longer to copy than to
// make. Whether they all got there is checked once for every command, as it ends.
void Print(const MenuComparison& comparison, bool identicalBytes, bool json,
           const ChangeList* carried = nullptr) {
  if (json)
    PrintDiffJson(comparison, identicalBytes, std::cout, carried);
  else
    PrintDiffLines(comparison, identicalBytes, std::cout);
}

int Compare(const ParsedArguments& arguments) {
  const std::string& first = arguments.positional[0];
  const std::string& second = arguments.positional[1];
  const DiffInput before = ReadDiffInput(first, arguments);
  const DiffInput after = ReadDiffInput(second, arguments);
  const bool json = arguments.Has(kJsonOption.name);
  if (SameBytes(before, after)) {
    Print(MenuComparison{}, true, json);
    return kExitSuccess;
  }

  Catalog catalog(std::filesystem::current_path());
  const Result<ItemBaseWarnings> items = catalog.ReadItemBase();
  if (!items) throw CommandFailure(items.error().text);
  PrintWarnings(*items);
  catalog.UseDefaultProfile();
  LoadedMenu a, b;
  Load(first, before.view(), catalog, a);
  Load(second, after.view(), catalog, b);
  const MenuComparison comparison =
      CompareMenus({a.tree, a.options, &a.dropped}, {b.tree, b.options, &b.dropped});
  if (json) {
    const ChangeList carried = CarriedChanges(a.tree, b.tree, comparison);
    Print(comparison, false, json, &carried);
  } else {
    Print(comparison, false, json);
  }
  return comparison.Same() ? kExitSuccess : kExitDifferent;
}

int RunDiff(const ParsedArguments& arguments) {
  try {
    return Compare(arguments);
  } catch (const std::exception& error) {
    throw CommandFailure(error.what(), kExitTrouble);
  }
}

}  // namespace

const Command kDiffCommand{
    "diff",
    "A B [--json] [--phone-socket PATH]",
    "Compares two menus and prints what differs from A to B, entry by entry: the record\n"
    "format and format options first (\"~ format: MMA save mode: 22-byte \u2192 36-byte\"),\n"
    "then\n"
    "  + PATH                                an entry B has and A has not\n"
    "  - PATH                                an entry A has and B has not\n"
    "  > PATH: from FOLDER #N to FOLDER #M   an entry moved (N, M count from 1)\n"
    "  ~ PATH: FIELD: OLD \u2192 NEW              one field of an entry changed\n"
    "PATH is the entry's place in display names below \"Menu Root\" (in B, or in A for a\n"
    "removed entry); FIELD is named as the item editor names it, a coded value in its words\n"
    "with the raw value in brackets; texts are quoted, with control bytes escaped; \"none\"\n"
    "stands for a field that is not there. Data a file holds that loading drops is compared\n"
    "too (\"data loading drops\", \"records in no folder\"). The moves are the fewest that\n"
    "explain the new order, the same entries whichever menu comes first, none to the place\n"
    "it had: an entry whose place shifts only because one before it came or went is not\n"
    "moved. Equal files are told by \"files are identical\"; different bytes\n"
    "holding the same entries by \"same menu, the files differ only in layout\" or, when the\n"
    "format differs, \"same entries, record format differs\" and the format lines.\n"
    "\n"
    "A and B are menu files, \"phone:\" for the menu file on the phone now, or \"backup:N\"\n"
    "for the Nth safety copy kept before writing to a phone (1 is the newest). Nothing is\n"
    "written into the working folder, but for the phone log when \"LogEnabled\" is on; a\n"
    "file named like these is given as ./phone: .\n"
    "\n"
    "  --json                the same as one JSON document: \"same\", \"identical-bytes\",\n"
    "                        \"summary\", \"format\" and \"entries\", each entry with \"change\",\n"
    "                        \"identifier\", \"path\", \"from\", \"to\" and \"fields\"; each\n"
    "                        field with \"field\", \"label\", \"before\" and \"after\"; and\n"
    "                        what `apply` needs to make the change to another menu\n"
    "  --phone-socket PATH   the phone's socket, for \"phone:\"\n"
    "\n"
    "exit status: 0 the menus are the same, 1 they differ, 2 trouble\n",
    kOptions,
    2,
    RunDiff,
};

}  // namespace menuforge::cli

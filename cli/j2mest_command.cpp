#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/command.h"
#include "java/j2mest_tables.h"
#include "menu_json/text_forms.h"

namespace menuforge::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr OptionSpec kJsonOption{"--json"};
constexpr OptionSpec kOptions[] = {kJsonOption};
constexpr int kJsonIndent = 2;

std::string YesNo(bool value) { return value ? "yes" : "no"; }

void PrintText(const ParsedJ2mest& parsed, std::ostream& out) {
  out << "j2mest record-size=" << parsed.layout.recordSize
      << " leading-block=" << parsed.leadingSize << '\n';
  for (std::size_t i = 0; i < parsed.midlets.size(); ++i)
    if (const std::optional<MidletEntry>& entry = parsed.midlets[i])
      out << "entry record=" << i << " name=" << Quoted(Latin1ToUtf8(entry->name))
          << " vendor=" << Quoted(Latin1ToUtf8(entry->vendor))
          << " launch-text=" << Quoted(Latin1ToUtf8(entry->launchText))
          << " corelet=" << YesNo(entry->corelet) << '\n';
  for (const PatchTarget& patch : parsed.patches)
    out << "patch record=" << static_cast<int>(patch.record) << " offset=" << patch.offset << '\n';
}

Json ToJson(const ParsedJ2mest& parsed) {
  Json entries = Json::array();
  for (std::size_t i = 0; i < parsed.midlets.size(); ++i)
    if (const std::optional<MidletEntry>& entry = parsed.midlets[i])
      entries.push_back({{"record", i},
                         {"name", Latin1ToUtf8(entry->name)},
                         {"vendor", Latin1ToUtf8(entry->vendor)},
                         {"launchText", Latin1ToUtf8(entry->launchText)},
                         {"corelet", entry->corelet}});
  Json patches = Json::array();
  for (const PatchTarget& patch : parsed.patches)
    patches.push_back({{"record", patch.record}, {"offset", patch.offset}});
  return {{"recordSize", parsed.layout.recordSize},
          {"leadingBlock", parsed.leadingSize},
          {"entries", std::move(entries)},
          {"patches", std::move(patches)}};
}

int RunJ2mest(const ParsedArguments& arguments) {
  const Result<Bytes> bytes = ReadJ2mestFile(arguments.positional[0]);
  if (!bytes) throw CommandFailure(bytes.error().text);
  const std::optional<ParsedJ2mest> parsed = ParseJ2mestBytes(*bytes);
  if (!parsed) throw CommandFailure(kUnsupportedJ2mestText);
  std::ostringstream out;
  if (arguments.Has(kJsonOption.name))
    // In ASCII, with \uXXXX for the rest, the JSON stays valid through the terminal-safe output.
    out << ToJson(*parsed).dump(kJsonIndent, ' ', true) << '\n';
  else
    PrintText(*parsed, out);
  std::cout << out.str();
  return kExitSuccess;
}

}  // namespace

const Command kJ2mestCommand{
    "j2mest",
    "FILE [--json]",
    "Lists the MIDlets of a J2MEST file (the phone's table of installed Java applications):\n"
    "one line per entry with its record number, name, vendor, launch text and CORELET flag,\n"
    "then one line per entry whose launch text carries wrong CORELET info, with the file\n"
    "offset of that launch text in decimal. A file whose size fits no record layout is\n"
    "refused.\n"
    "\n"
    "  --json    the same as {\"recordSize\", \"leadingBlock\", \"entries\": [{\"record\", "
    "\"name\",\n"
    "            \"vendor\", \"launchText\", \"corelet\"}], \"patches\": [{\"record\", "
    "\"offset\"}]}\n",
    kOptions,
    1,
    RunJ2mest,
};

}  // namespace menuforge::cli

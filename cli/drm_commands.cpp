#include <array>
#include <charconv>
#include <iostream>
#include <sstream>
#include <vector>

#include "base/local_file.h"
#include "cli/picture_commands.h"
#include "cli/run_command.h"
#include "pictures/drm_picture.h"

namespace menuforge::cli {
namespace {

constexpr char kDrmProgram[] = "menuforge-cli drm";
constexpr char kDrmFileProgram[] = "menuforge-cli drm FILE";
constexpr char kNoDrmFile[] = "no DRM binary given";
constexpr char kNoSubcommand[] = "no drm command given";
constexpr char kUnknownSubcommand[] = "unknown drm command ";
constexpr char kNotANumber[] = "not an entry number: ";
constexpr char kNumbering[] =
    "\nEntries are numbered from 1 as the DRM Icon Picker numbers them. A number without a\n"
    "picture, or out of range, gives \"[no image]\" and exit status 1.\n";

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

DrmBinary ReadBinary(const std::string& path) {
  Result<Bytes> contents = ReadWholeFileBytes(path, kLargestDrmBinary, kDrmBinaryKind);
  if (!contents) throw CommandFailure(contents.error().text);
  return DrmBinary::Parse(std::move(*contents));
}

std::string SizeText(const std::optional<PictureSize>& size) {
  if (!size) return kNoImageText;
  return std::to_string(size->width) + "x" + std::to_string(size->height);
}

int RunList(const ParsedArguments& arguments) {
  const DrmBinary binary = ReadBinary(arguments.positional[0]);
  std::ostringstream out;
  for (std::size_t index = 0; index < binary.highestNumber(); ++index) {
    const std::optional<DrmEntry> entry = binary.Entry(index);
    out << index + 1 << ' ' << (binary.KindOf(index) == DrmEntryKind::Image ? "image" : "file")
        << ' ' << SizeText(entry ? DrmEntrySize(*entry) : std::nullopt) << '\n';
  }
  std::cout << out.str();
  return kExitSuccess;
}

// Any run of digits is a number; one too large for any binary is simply out of range.
std::size_t EntryNumber(const std::string& text) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) throw UsageError(kNotANumber + text);
  if (error == std::errc::result_out_of_range) return SIZE_MAX;
  return number;
}

int RunExtract(const ParsedArguments& arguments) {
  const std::size_t number = EntryNumber(arguments.positional[1]);
  const DrmBinary binary = ReadBinary(arguments.positional[0]);
  const std::optional<DrmPicture> picture =
      number == 0 ? std::nullopt : ExtractDrmPicture(binary, number - 1);
  if (!picture) throw CommandFailure(kNoImageText);
  if (const Status written = WriteFileAtomically(arguments.positional[2], picture->gif); !written)
    throw CommandFailure(written.error().text);
  return kExitSuccess;
}

const Command kDrmListCommand{
    "list",
    "",
    "Lists the entries a DRM binary offers, one line each: the number, \"image\" for a raw\n"
    "icon or \"file\" for a stored GIF, and the picture's size as WIDTHxHEIGHT or\n"
    "\"[no image]\".\n",
    {},
    1,
    RunList,
};

const Command kDrmExtractCommand{
    "extract",
    "N OUT.gif",
    "Writes entry N of a DRM binary as a GIF: a stored GIF byte for byte, a raw icon\n"
    "converted with its transparent colour. OUT.gif is only written whole.\n",
    {},
    3,
    RunExtract,
};

constexpr std::array<const Command*, 2> kSubcommands = {&kDrmListCommand, &kDrmExtractCommand};

void PrintDrmUsage(std::ostream& out) {
  out << "usage: " << kDrmProgram << " FILE COMMAND [ARGUMENTS] [--help]\n\n"
      << "The icons of a DRM binary (*.smg, *.bin), read only.\n\ncommands:\n";
  for (const Command* command : kSubcommands)
    out << "  FILE " << command->name << (command->synopsis.empty() ? "" : " ") << command->synopsis
        << '\n';
  out << kNumbering;
}

}  // namespace

int RunDrmCommand(std::span<const std::string> arguments) {
  if (arguments.empty()) {
    PrintDrmUsage(std::cerr);
    return UsageFailure(kNoDrmFile, kDrmProgram);
  }
  if (IsHelp(arguments[0]) || (arguments.size() > 1 && IsHelp(arguments[1]))) {
    PrintDrmUsage(std::cout);
    return kExitSuccess;
  }
  if (arguments.size() < 2) return UsageFailure(kNoSubcommand, kDrmProgram);
  for (const Command* command : kSubcommands)
    if (command->name == arguments[1]) {
      std::vector<std::string> rest{arguments[0]};
      rest.insert(rest.end(), arguments.begin() + 2, arguments.end());
      return RunCommand(*command, rest, kDrmFileProgram, kNumbering);
    }
  return UsageFailure(kUnknownSubcommand + arguments[1], kDrmProgram);
}

}  // namespace menuforge::cli

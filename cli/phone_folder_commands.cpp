// "menuforge-cli phone mkdir|rmdir|attr": the phone file browser's folder and attribute
// operations for scripts.
#include <array>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/phone_connection.h"
#include "cli/phone_subcommands.h"
#include "phone/file_list_entry.h"
#include "phone/file_operation_messages.h"
#include "phone/phone_text.h"

namespace menuforge::cli {
namespace {

constexpr char kNoSuchFilePrefix[] = "File not found on the phone: ";
constexpr char kChangeHelp[] = "+S, -S, +H, -H, +R or -R";

struct AttributeLetter {
  char letter;
  std::uint16_t bit;
};
constexpr std::array<AttributeLetter, 3> kLetters = {
    {{'R', kAttributeReadOnly}, {'H', kAttributeHidden}, {'S', kAttributeSystem}}};

constexpr OptionSpec kOptions[] = {kSocketOption};
// A cleared attribute reads like an option; it is one here.
constexpr OptionSpec kAttributeOptions[] = {kSocketOption, {"-R"}, {"-H"}, {"-S"}};

int RunMakeFolder(const ParsedArguments& arguments) {
  const std::string path = PhonePathArgument(arguments.positional[0]);
  PhoneConnection phone(arguments);
  if (!phone.session().CreateFolder(path).ok()) phone.Fail(kFolderCreateFailedPrefix, path);
  return kExitSuccess;
}

int RunRemoveFolder(const ParsedArguments& arguments) {
  const std::string path = PhonePathArgument(arguments.positional[0]);
  PhoneConnection phone(arguments);
  if (!phone.session().DeleteFolder(path).ok()) phone.Fail(kFileDeleteFailedPrefix, path);
  return kExitSuccess;
}

// The bits to set and to clear, from "+S" arguments and "-S" options.
std::pair<std::uint16_t, std::uint16_t> AttributeChanges(const ParsedArguments& arguments) {
  std::uint16_t set = 0, cleared = 0;
  for (std::size_t i = 1; i < arguments.positional.size(); ++i) {
    const std::string& change = arguments.positional[i];
    const auto letter = std::find_if(kLetters.begin(), kLetters.end(), [&](const auto& known) {
      return change == std::string{'+', known.letter};
    });
    if (letter == kLetters.end())
      throw UsageError("unknown attribute change " + change + "; expected " + kChangeHelp);
    set |= letter->bit;
  }
  for (const AttributeLetter& known : kLetters)
    if (arguments.Has(std::string{'-', known.letter})) cleared |= known.bit;
  if ((set & cleared) != 0) throw UsageError("an attribute both set and cleared");
  return {set, cleared};
}

// The file's entry in the phone's list, when the phone lists it.
std::optional<FileListEntry> ListedEntry(PhoneConnection& phone, const std::string& path) {
  const std::int32_t count = phone.library().File_CountEx(path);
  if (count <= 0) return std::nullopt;
  std::vector<FileListEntry> entries;
  if (phone.library().File_ListEx(entries, static_cast<std::size_t>(count), {}) == kP2kFailure)
    phone.Fail(kAttributesFailedPrefix, path);
  for (const FileListEntry& entry : entries)
    if (entry.path() == path) return entry;
  return std::nullopt;
}

int RunAttributes(const ParsedArguments& arguments) {
  const std::string path = PhonePathArgument(arguments.positional[0]);
  const auto [set, cleared] = AttributeChanges(arguments);
  PhoneConnection phone(arguments);
  const std::optional<FileListEntry> entry = ListedEntry(phone, path);
  if (!entry) throw CommandFailure(kNoSuchFilePrefix + ShownPhonePathOnTerminal(path));
  std::uint16_t mask = entry->attributes();
  if (set != 0 || cleared != 0) {
    mask = static_cast<std::uint16_t>((mask | set) & ~cleared);
    // The terminal says it in its own words: the path as a terminal shows it, and why.
    if (!phone.link().menuFiles.SetAttribute(path, mask).ok())
      phone.Fail(kAttributesFailedPrefix, path);
  }
  std::cout << AttributeText(mask) << ' ' << ShownPhonePathOnTerminal(path) << '\n';
  return kExitSuccess;
}

}  // namespace

const Command kPhoneMakeFolderCommand{
    "mkdir",  "PHONEPATH", "Creates a folder on the phone; its parent folder must exist.\n",
    kOptions, 1,           RunMakeFolder,
};

const Command kPhoneRemoveFolderCommand{
    "rmdir", "PHONEPATH", "Deletes an empty folder on the phone.\n", kOptions, 1, RunRemoveFolder,
};

const Command kPhoneAttributesCommand{
    "attr",
    "PHONEPATH [+S|-S|+H|-H|+R|-R]...",
    "Sets (+) or clears (-) a file's attributes: S system, H hidden, R read-only; the others\n"
    "stay as they are. Prints the file's attributes afterwards as \"[ATTRIBUTES] PATH\"; with\n"
    "no change given it only prints them.\n",
    kAttributeOptions,
    1,
    RunAttributes,
    kLetters.size(),
};

}  // namespace menuforge::cli

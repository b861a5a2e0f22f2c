#include <iostream>
#include <vector>

#include "base/local_file.h"
#include "base/user_messages.h"
#include "cli/phone_connection.h"
#include "cli/phone_subcommands.h"
#include "phone/file_list_entry.h"
#include "phone/file_operation_messages.h"
#include "phone/phone_menu_files.h"
#include "phone/phone_text.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kSocketOption};
constexpr char kListFailedPrefix[] = "Error listing ";
constexpr char kDownloadingTitle[] = "Downloading ";

int RunInfo(const ParsedArguments& arguments) {
  PhoneConnection phone(arguments);
  const PhoneSession& session = phone.session();
  std::cout << "model: " << ShownOnTerminal(session.modelName())
            << "\nimei: " << ShownOnTerminal(session.imei())
            << "\nfirmware: " << ShownOnTerminal(session.firmwareVersion())
            << "\nlp-version: " << ShownOnTerminal(session.lpVersionText()) << '\n';
  return kExitSuccess;
}

// A pattern that names no volume ("*.gif", "mobile/*") stands for that pattern on every volume.
std::vector<std::string> VolumePatterns(PhoneConnection& phone, const std::string& pattern) {
  if (pattern.starts_with('/')) return {pattern};
  if (const Status read = phone.session().ReadVolumes(); !read)
    throw CommandFailure(read.error().text);
  std::vector<std::string> patterns;
  for (const char volume : phone.session().volumes())
    patterns.push_back(std::string{'/', volume, '/'} + pattern);
  return patterns;
}

void PrintMatches(PhoneConnection& phone, const std::string& pattern) {
  const std::int32_t count = phone.library().File_CountEx(pattern);
  if (count == kP2kFailure) phone.Fail(kListFailedPrefix, pattern);
  if (count <= 0) return;
  std::vector<FileListEntry> entries;
  const std::int32_t listed =
      phone.library().File_ListEx(entries, static_cast<std::size_t>(count), {});
  if (listed == kP2kFailure) phone.Fail(kListFailedPrefix, pattern);
  entries.resize(std::min(entries.size(), static_cast<std::size_t>(std::max(listed, 0))));
  for (const FileListEntry& entry : entries)
    std::cout << entry.size() << ' ' << AttributeText(entry.attributes()) << ' '
              << ShownPhonePathOnTerminal(entry.path()) << '\n';
}

int RunList(const ParsedArguments& arguments) {
  const std::string pattern = PhonePathArgument(arguments.positional[0]);
  PhoneConnection phone(arguments);
  for (const std::string& volumePattern : VolumePatterns(phone, pattern))
    PrintMatches(phone, volumePattern);
  return kExitSuccess;
}

int RunPull(const ParsedArguments& arguments) {
  const std::string phonePath = PhonePathArgument(arguments.positional[0]);
  const std::filesystem::path local = arguments.positional[1];
  PhoneConnection phone(arguments);
  // The bar follows the phone's own size of the file. The file takes its name only once the
  // phone's end of file has come.
  const std::uint32_t size = phone.session().FileSize(phonePath).value_or(0);
  const TransferResult result = phone.link().transfer.P2KFileRead(
      phonePath, local, size, kDownloadingTitle + PhoneFileName(phonePath));
  if (!result.localError.empty()) throw CommandFailure(result.localError);
  if (!result.complete) phone.Fail(kFileReadFailedPrefix, phonePath);
  return kExitSuccess;
}

int RunPush(const ParsedArguments& arguments) {
  const std::filesystem::path local = arguments.positional[0];
  const std::string phonePath = PhonePathArgument(arguments.positional[1]);
  PhoneConnection phone(arguments);
  const TransferResult result = phone.link().transfer.P2KFileWrite(local, phonePath);
  if (!result.localError.empty()) throw CommandFailure(result.localError);
  if (!result.complete) phone.Fail(kFileWriteFailedPrefix, phonePath);
  return kExitSuccess;
}

int RunRemove(const ParsedArguments& arguments) {
  const std::string phonePath = PhonePathArgument(arguments.positional[0]);
  PhoneConnection phone(arguments);
  if (!phone.session().DeleteFile(phonePath).ok()) phone.Fail(kFileDeleteFailedPrefix, phonePath);
  return kExitSuccess;
}

}  // namespace

const Command kPhoneInfoCommand{
    "info",
    "",
    "Shows the phone's model name, IMEI (with its check digit), firmware version and LP\n"
    "version, one \"name: value\" line each.\n",
    kOptions,
    0,
    RunInfo,
};

const Command kPhoneListCommand{
    "ls",
    "PATTERN",
    "Lists the phone's files that match PATTERN, one \"SIZE [ATTRIBUTES] PATH\" line each\n"
    "(attributes R read-only, H hidden, S system). PATTERN is a folder and a file name\n"
    "pattern, searched through the whole folder: \"/a/*\", \"/a/*.gif\", \"/b/mobile/*.jad\".\n"
    "A PATTERN without a volume (\"*.gif\", \"mobile/*\") is searched on every volume.\n",
    kOptions,
    1,
    RunList,
};

const Command kPhonePullCommand{
    "pull",
    "PHONEPATH LOCAL",
    "Copies a file from the phone to LOCAL. LOCAL is written only when the whole file came.\n",
    kOptions,
    2,
    RunPull,
};

const Command kPhonePushCommand{
    "push", "LOCAL PHONEPATH", "Copies LOCAL to the phone, replacing PHONEPATH.\n", kOptions,
    2,      RunPush,
};

const Command kPhoneRemoveCommand{
    "rm", "PHONEPATH", "Deletes a file on the phone.\n", kOptions, 1, RunRemove,
};

}  // namespace menuforge::cli

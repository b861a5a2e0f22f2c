#include <iostream>
#include <vector>

#include "cli/phone_connection.h"
#include "cli/phone_subcommands.h"
#include "menu/local_file.h"
#include "menu/user_messages.h"
#include "phone/file_list_entry.h"
#include "phone/file_operation_messages.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kSocketOption};
constexpr char kListFailedPrefix[] = "Error listing ";
constexpr char kDownloadingTitle[] = "Downloading ";
constexpr char kPartialSuffix[] = ".menuforge-part";

int Refused(PhoneConnection& phone, const std::string& text) {
  phone.dialogs().Show({text, kErrorCaption, MessageIcon::Error});
  return kExitFailure;
}

int RunInfo(const ParsedArguments& arguments) {
  PhoneConnection phone(arguments);
  const PhoneSession& session = phone.session();
  std::cout << "model: " << session.modelName() << "\nimei: " << session.imei()
            << "\nfirmware: " << session.firmwareVersion()
            << "\nlp-version: " << session.lpVersionText() << '\n';
  return kExitSuccess;
}

int RunList(const ParsedArguments& arguments) {
  PhoneConnection phone(arguments);
  const std::string& pattern = arguments.positional[0];
  const std::int32_t count = phone.library().File_CountEx(pattern);
  if (count <= 0) return kExitSuccess;
  std::vector<FileListEntry> entries(static_cast<std::size_t>(count));
  const std::int32_t listed = phone.library().File_ListEx(entries, {});
  if (listed == kP2kFailure) return Refused(phone, kListFailedPrefix + pattern);
  entries.resize(std::min(entries.size(), static_cast<std::size_t>(std::max(listed, 0))));
  for (const FileListEntry& entry : entries)
    std::cout << entry.size() << ' ' << AttributeText(entry.attributes()) << ' ' << entry.path()
              << '\n';
  return kExitSuccess;
}

int RunPull(const ParsedArguments& arguments) {
  PhoneConnection phone(arguments);
  const std::string& phonePath = arguments.positional[0];
  const std::filesystem::path local = arguments.positional[1];
  // The file takes its name only once the phone's end of file has come.
  std::filesystem::path partial = local;
  partial += kPartialSuffix;
  phone.session().progressTitle = kDownloadingTitle + local.filename().string();
  const TransferResult result = phone.link().transfer.P2KFileRead(phonePath, partial, 0);
  std::error_code ignored;
  if (!result.complete) std::filesystem::remove(partial, ignored);
  if (!result.localError.empty()) throw CommandFailure(result.localError);
  if (!result.complete) return Refused(phone, kFileReadFailedPrefix + phonePath);
  std::error_code error;
  std::filesystem::rename(partial, local, error);
  if (error) {
    std::filesystem::remove(partial, ignored);
    throw CommandFailure(FileError("create", local, error.value()));
  }
  return kExitSuccess;
}

int RunPush(const ParsedArguments& arguments) {
  PhoneConnection phone(arguments);
  const std::filesystem::path local = arguments.positional[0];
  const std::string& phonePath = arguments.positional[1];
  const TransferResult result = phone.link().transfer.P2KFileWrite(local, phonePath);
  if (!result.localError.empty()) throw CommandFailure(result.localError);
  if (!result.complete) return Refused(phone, kFileWriteFailedPrefix + phonePath);
  return kExitSuccess;
}

int RunRemove(const ParsedArguments& arguments) {
  PhoneConnection phone(arguments);
  const std::string& phonePath = arguments.positional[0];
  if (phone.library().File_Delete(phonePath) == kP2kFailure)
    return Refused(phone, kFileDeleteFailedPrefix + phonePath);
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
    "pattern, searched through the whole folder: \"/a/*\", \"/a/*.gif\", \"/b/mobile/*.jad\".\n",
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

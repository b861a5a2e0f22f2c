#include "cli/diff_inputs.h"

#include "base/local_file.h"
#include "cli/backup_side.h"
#include "cli/command.h"
#include "cli/phone_connection.h"
#include "cli/scratch_folder.h"

namespace menuforge::cli {
namespace {

// Far beyond the largest menu file, which stays below 150 KB.
constexpr std::size_t kReadLimit = 1 << 20;
constexpr char kScratchPattern[] = "menuforge-diff-XXXXXX";
constexpr char kPhoneReadFailed[] = "the phone's menu file could not be read";

DiffInput ReadFile(const std::filesystem::path& path) {
  DiffInput input;
  Result<std::string> read = ReadFileStart(path, kReadLimit);
  if (!read) throw CommandFailure(read.error().text);
  input.bytes = std::move(*read);
  input.whole = input.bytes.size() < kReadLimit;
  return input;
}

DiffInput ReadPhone(const ParsedArguments& arguments) {
  const ScratchFolder scratch(TemporaryFolder(), kScratchPattern);
  PhoneConnection phone(arguments, Settings{}, scratch.path());
  const std::filesystem::path copy = phone.link().menuFiles.ReadPhoneMenuFiles();
  if (copy.empty()) throw CommandFailure(kPhoneReadFailed);
  return ReadFile(copy);
}

}  // namespace

DiffInput ReadDiffInput(const std::string& side, const ParsedArguments& arguments) {
  if (side == kPhoneSide) return ReadPhone(arguments);
  if (side.starts_with(kBackupSidePrefix)) return ReadFile(NumberedPhoneBackup(side));
  return ReadFile(side);
}

}  // namespace menuforge::cli

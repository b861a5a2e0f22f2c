#include "cli/diff_inputs.h"

#include <stdlib.h>

#include <charconv>

#include "base/local_file.h"
#include "cli/command.h"
#include "cli/phone_connection.h"
#include "workspace/phone_backups.h"

namespace menuforge::cli {
namespace {

// Far beyond the largest menu file, which stays below 150 KB.
constexpr std::size_t kReadLimit = 1 << 20;
constexpr char kScratchPattern[] = "menuforge-diff-XXXXXX";
constexpr char kPhoneReadFailed[] = "the phone's menu file could not be read";

// A fresh folder below the system's temporary folder for the phone's copy, removed with the
// object, so that reading the phone leaves nothing behind in the working folder.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / kScratchPattern).string();
    if (!error && ::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

DiffInput ReadFile(const std::filesystem::path& path) {
  DiffInput input;
  Result<std::string> read = ReadFileStart(path, kReadLimit);
  if (!read) throw CommandFailure(read.error().text);
  input.bytes = std::move(*read);
  input.whole = input.bytes.size() < kReadLimit;
  return input;
}

DiffInput ReadPhone(const ParsedArguments& arguments) {
  const ScratchFolder scratch;
  if (scratch.path().empty())
    throw CommandFailure(
        FileError("create", std::filesystem::temp_directory_path() / kScratchPattern, errno));
  PhoneConnection phone(arguments, Settings{}, scratch.path());
  const std::filesystem::path copy = phone.link().menuFiles.ReadPhoneMenuFiles();
  if (copy.empty()) throw CommandFailure(kPhoneReadFailed);
  return ReadFile(copy);
}

std::string NoSuchBackup(const std::string& side, std::size_t count) {
  return side + ": there is no such backup; backups are numbered from 1, the newest first, and " +
         std::to_string(count) + (count == 1 ? " is" : " are") + " kept";
}

DiffInput ReadBackup(const std::string& side) {
  const std::string_view digits = std::string_view(side).substr(std::size(kBackupSidePrefix) - 1);
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  const std::filesystem::path folder = PhoneBackupFolder();
  if (folder.empty()) throw CommandFailure(kNoBackupFolderText);
  const std::vector<PhoneBackup> backups = ListPhoneBackups(folder);
  if (error != std::errc{} || end != digits.data() + digits.size() || number == 0 ||
      number > backups.size())
    throw CommandFailure(NoSuchBackup(side, backups.size()));
  return ReadFile(backups[number - 1].path);
}

}  // namespace

DiffInput ReadDiffInput(const std::string& side, const ParsedArguments& arguments) {
  if (side == kPhoneSide) return ReadPhone(arguments);
  if (side.starts_with(kBackupSidePrefix)) return ReadBackup(side);
  return ReadFile(side);
}

}  // namespace menuforge::cli

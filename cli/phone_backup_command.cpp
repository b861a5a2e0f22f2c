#include <stdlib.h>

#include <array>
#include <iostream>
#include <vector>

#include "base/local_file.h"
#include "base/temporary_files.h"
#include "cli/phone_connection.h"
#include "cli/phone_subcommands.h"
#include "workspace/working_files.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kSocketOption};
constexpr char kStagingPattern[] = ".menuforge-backup-XXXXXX";
constexpr char kIncompleteBackup[] =
    "no backup was written: not every file the phone has could be copied";

struct BackupName {
  const char* workFile;
  const char* backupFile;
};
constexpr std::array<BackupName, 3> kBackupNames = {{
    {kMenuWorkFile, "mma_ucp"},
    {kPhoneJ2mestWorkFile, "J2MEST"},
    {kCardJ2mestWorkFile, "J2MEST_mmc"},
}};

// A folder of its own inside DIR for the working copies, so that none of another run's copies
// is touched; removed with the object.
class StagingFolder {
 public:
  explicit StagingFolder(const std::filesystem::path& parent) {
    std::string pattern = (parent / kStagingPattern).string();
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern;
    RegisterTemporaryPath(path_);
  }
  ~StagingFolder() {
    std::error_code ignored;
    if (path_.empty()) return;
    std::filesystem::remove_all(path_, ignored);
    ForgetTemporaryPath(path_);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The folder the backup goes to; when this run made it and nothing was backed up, a failed run
// takes it away again, so that a failure leaves nothing behind.
class TargetFolder {
 public:
  explicit TargetFolder(const std::filesystem::path& path) : path_(path) {
    std::error_code error;
    made_ = std::filesystem::create_directories(path_, error);
    if (error) throw CommandFailure(FileError("create", path_, error.value()));
  }
  ~TargetFolder() {
    std::error_code ignored;
    if (made_ && !kept_) std::filesystem::remove(path_, ignored);
  }
  void Keep() { kept_ = true; }

 private:
  std::filesystem::path path_;
  bool made_ = false;
  bool kept_ = false;
};

int RunBackupMenu(const ParsedArguments& arguments) {
  const std::filesystem::path folder = arguments.positional[0];
  std::error_code error;
  TargetFolder backupFolder(folder);
  const StagingFolder staging(folder);
  if (staging.path().empty())
    throw CommandFailure(FileError("create", folder / kStagingPattern, errno));

  Settings settings;
  settings.readJ2mest = settings.fromPhone = settings.fromCard = true;
  PhoneConnection phone(arguments, settings, staging.path());
  PhoneMenuFiles& files = phone.link().menuFiles;
  if (files.ReadPhoneMenuFiles().empty()) return kExitFailure;
  // Part of the phone's files would pass for all of them.
  if (files.readIncomplete()) throw CommandFailure(kIncompleteBackup);
  backupFolder.Keep();

  std::vector<std::filesystem::path> written;
  for (const BackupName& name : kBackupNames) {
    const std::filesystem::path copy = staging.path() / name.workFile;
    if (!std::filesystem::exists(copy, error)) continue;
    const std::filesystem::path target = folder / name.backupFile;
    std::filesystem::rename(copy, target, error);
    if (error) {
      const int failed = error.value();
      for (const std::filesystem::path& done : written) std::filesystem::remove(done, error);
      throw CommandFailure(FileError("create", target, failed));
    }
    written.push_back(target);
  }
  for (const std::filesystem::path& target : written) std::cout << target.string() << '\n';
  return kExitSuccess;
}

}  // namespace

const Command kPhoneBackupMenuCommand{
    "backup-menu",
    "DIR",
    "Copies the phone's menu file and its J2MEST files (phone memory and card) into DIR, as\n"
    "Open from phone reads them, under the names mma_ucp, J2MEST and J2MEST_mmc, and prints\n"
    "the files written. A J2MEST file the phone does not have is reported and left out; a\n"
    "menu file that cannot be read whole fails the command.\n",
    kOptions,
    1,
    RunBackupMenu,
};

}  // namespace menuforge::cli

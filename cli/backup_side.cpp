#include "cli/backup_side.h"

#include <charconv>
#include <vector>

#include "cli/command.h"
#include "workspace/phone_backups.h"

namespace menuforge::cli {
namespace {

std::string NoSuchBackup(const std::string& side, std::size_t count) {
  return side + ": there is no such backup; backups are numbered from 1, the newest first, and " +
         std::to_string(count) + (count == 1 ? " is" : " are") + " kept";
}

}  // namespace

std::filesystem::path NumberedPhoneBackup(const std::string& side) {
  const std::string_view digits = std::string_view(side).substr(std::size(kBackupSidePrefix) - 1);
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  const std::filesystem::path folder = PhoneBackupFolder();
  if (folder.empty()) throw CommandFailure(kNoBackupFolderText);
  const std::vector<PhoneBackup> backups = ListPhoneBackups(folder);
  if (error != std::errc{} || end != digits.data() + digits.size() || number == 0 ||
      number > backups.size())
    throw CommandFailure(NoSuchBackup(side, backups.size()));
  return backups[number - 1].path;
}

}  // namespace menuforge::cli

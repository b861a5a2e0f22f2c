// Writing the phone's menu from the command line as the window's Save to phone and "Restore
// phone backup…" do: a safety copy of the phone's menu first, and nothing written without one.
#include <iostream>

#include "base/local_file.h"
#include "cli/backup_side.h"
#include "cli/phone_connection.h"
#include "cli/phone_subcommands.h"
#include "cli/scratch_folder.h"
#include "phone/phone_menu_safety.h"
#include "workspace/phone_backups.h"
#include "workspace/working_files.h"

namespace menuforge::cli {
namespace {

constexpr OptionSpec kOptions[] = {kSocketOption};
constexpr char kScratchPattern[] = "menuforge-write-XXXXXX";
constexpr char kNotAMenu[] = " does not hold a menu; nothing was written";
constexpr char kMenuFileKind[] = "a menu file";

// The settings of the current folder, for the system attribute Save to phone sets.
Settings FolderSettings() {
  return ReadSettings(std::filesystem::current_path() / kSettingsFileName);
}

int RunWriteMenu(const ParsedArguments& arguments) {
  const std::filesystem::path file = arguments.positional[0];
  const Result<Bytes> menu = ReadWholeFileBytes(file, kLargestPhoneBackup, kMenuFileKind);
  if (!menu) throw CommandFailure(menu.error().text);
  if (!HoldsMenu(*menu)) throw CommandFailure(file.string() + kNotAMenu);
  const ScratchFolder scratch(TemporaryFolder(), kScratchPattern);
  const std::filesystem::path menuCopy = scratch.path() / kMenuWorkFile;
  if (const Status copied = WriteFileAtomically(menuCopy, *menu); !copied)
    throw CommandFailure(copied.error().text);

  PhoneConnection phone(arguments, FolderSettings(), scratch.path());
  PhoneMenuSafety safety(phone.link(), phone.dialogs(), PhoneBackupFolder());
  return safety.WritePhoneMenuFiles(menuCopy) ? kExitSuccess : kExitFailure;
}

int RunRestoreMenu(const ParsedArguments& arguments) {
  const std::string& side = arguments.positional[0];
  const std::filesystem::path backup =
      side.starts_with(kBackupSidePrefix) ? NumberedPhoneBackup(side) : std::filesystem::path(side);
  const ScratchFolder scratch(TemporaryFolder(), kScratchPattern);
  PhoneConnection phone(arguments, FolderSettings(), scratch.path());
  PhoneMenuSafety safety(phone.link(), phone.dialogs(), PhoneBackupFolder());
  // The command line is the user's answer to the window's question.
  const bool restored = safety.RestoreBackup(backup, [](const Message&) { return true; });
  return restored ? kExitSuccess : kExitFailure;
}

}  // namespace

const Command kPhoneWriteMenuCommand{
    "write-menu",
    "FILE",
    "Writes FILE, a menu file, as the phone's mma_ucp, as the window's Save to phone does:\n"
    "first the phone's menu is kept as a safety copy in the phone backups folder\n"
    "($XDG_DATA_HOME/menuforge/backups), and when no copy can be kept nothing is written.\n"
    "The phone's file is marked a system file when \"SetSystemAttr\" is on in the current\n"
    "folder's menuforge.ini. Exits 0 only when the phone took the whole file.\n",
    kOptions,
    1,
    RunWriteMenu,
};

const Command kPhoneRestoreMenuCommand{
    "restore-menu",
    "backup:N|FILE",
    "Writes a safety copy of the phone's menu back to the phone, as the window's \"Restore\n"
    "phone backup...\" does: backup:N is the N-th newest copy (as diff names them), FILE any\n"
    "other copy. The phone's menu is kept as a safety copy first, and when none can be kept\n"
    "nothing is written. Exits 0 only when the phone took the whole file.\n",
    kOptions,
    1,
    RunRestoreMenu,
};

}  // namespace menuforge::cli

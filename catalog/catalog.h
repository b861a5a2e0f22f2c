// The item base, the available items and the profile they come from, as the main window and the
// command-line tool use them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/user_messages.h"
#include "menu/format_options.h"
#include "menu/item_table.h"

namespace menuforge {

inline constexpr char kProfilesFolder[] = "Profiles";
inline constexpr char kItemBaseFile[] = "itembase.dat";
inline constexpr char kProfileExtension[] = ".prf";
inline constexpr char kDefaultProfileEntry[] = "Default";

// What reading the item base found worth showing once: lines that were skipped or cut.
using ItemBaseWarnings = std::vector<std::string>;

inline constexpr char kReadOnlyFolderText[] =
    "The working folder is open read-only: another Menuforge holds it, so nothing is written "
    "into it";

class Catalog {
 public:
  explicit Catalog(std::filesystem::path workingFolder);

  const std::filesystem::path& workingFolder() const { return workingFolder_; }
  // A folder another program has locked is only read: the item base is never created or
  // extended (admitted items stay in memory), and nothing is appended.
  void SetReadOnly() { readOnly_ = true; }
  bool readOnly() const { return readOnly_; }
  std::filesystem::path profilesFolder() const;
  std::filesystem::path itemBasePath() const;

  // Creates "Profiles" and a built-in "itembase.dat" when missing, then reads it. The available
  // items become the whole item base. The applied profile is left as it is.
  Result<ItemBaseWarnings> LoadItemBase();
  // Reads "itembase.dat" as LoadItemBase does, but takes the built-in entries when it is
  // missing and writes nothing: for commands that only read.
  Result<ItemBaseWarnings> ReadItemBase();
  // Reads the file again, makes the whole base available and applies "Default".
  Result<ItemBaseWarnings> ReloadItemBase();
  // Appends "identifier;identifier" (plus " [SC]") to the file; the tables stay as they are.
  Status AppendItemBaseEntry(const std::string& identifier, bool isShortcut);
  // Whether one more line of the file would still be read: the item base holds at most 254.
  bool ItemBaseHasRoom() const;

  enum class Admission { Added, Known, Full, Unstorable };
  // Takes an item a file names into the item base in memory, as reading its appended line would;
  // the available items stay as they are. Not when the base holds it already, holds all the
  // items it can (a line past those would never be read), or the name cannot be a line.
  [[nodiscard]] Admission AdmitItem(const std::string& identifier, bool isShortcut);
  // Writes what AdmitItem added since the last store: appended lines, or the whole file when it
  // is missing.
  Status StoreAdmittedItems();

  const ItemTable& itemBase() const { return itemBase_; }
  const ItemTable& availableItems() const { return availableItems_; }
  // Makes the whole item base available again (used after a profile mismatch).
  void MakeWholeBaseAvailable();

  // The names of the profile files in "Profiles", sorted.
  void ListProfiles();
  const std::vector<std::string>& profileNames() const { return profileNames_; }

  // Where the available items come from: no profile chosen yet (at start-up), "Default" (the
  // whole item base), or the profile named `profileName()`, listed or not.
  enum class ProfileSource { None, Default, Named };
  ProfileSource profileSource() const { return profileSource_; }
  const std::string& profileName() const { return profileName_; }
  bool DefaultApplied() const { return profileSource_ == ProfileSource::Default; }
  // Counts what is available as "Default"; the available items stay as they are.
  void UseDefaultProfile();

  // Returns false only when the profile file does not exist ("Profile not found"). A faulty
  // profile or one naming items the base lacks leaves "Default" applied.
  [[nodiscard]] bool ApplyProfile(const std::string& name, FormatOptions& options,
                                  UserDialogs& dialogs);
  void ApplyDefault(FormatOptions& options);

 private:
  Result<ItemBaseWarnings> ReadItemBaseFile(bool createWhenMissing);
  Status CreateProfilesFolder() const;

  std::filesystem::path workingFolder_;
  bool readOnly_ = false;
  ItemTable itemBase_;
  // Lines of items admitted but not yet stored.
  std::vector<std::string> admittedLines_;
  // Lines appended to the file since it was read, not in the tables.
  std::size_t appendedUnread_ = 0;
  ItemTable availableItems_;
  std::vector<std::string> profileNames_;
  ProfileSource profileSource_ = ProfileSource::None;
  std::string profileName_;
};

}  // namespace menuforge

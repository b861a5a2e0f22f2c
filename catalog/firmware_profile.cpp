#include "catalog/firmware_profile.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

#include "base/local_file.h"
#include "catalog/menu_opening.h"
#include "catalog/profile_file.h"

namespace menuforge {
namespace {

// Firmware whose custom icons carry the marker 06; all others carry 0C.
constexpr std::array<std::string_view, 4> kIconMarker06Versions = {"TRIPLETS", "R364", "R372",
                                                                   "R474"};
constexpr std::string_view kC698pFixVersion = "R3624";

// Lines past those the item base can hold would never be read, and be appended again by every
// scan; names without room stay out, and applying the profile names them.
Status AppendMissing(const std::vector<std::string>& names, bool areShortcuts, Catalog& catalog,
                     bool& appended) {
  for (const std::string& name : names) {
    if (catalog.itemBase().Contains(name)) continue;
    if (!catalog.ItemBaseHasRoom()) continue;
    if (Status added = catalog.AppendItemBaseEntry(name, areShortcuts); !added) return added;
    appended = true;
  }
  return {};
}

}  // namespace

std::string FirmwareFormatLine(const std::string& version, int recordLength) {
  const bool marker06 = std::find(kIconMarker06Versions.begin(), kIconMarker06Versions.end(),
                                  version) != kIconMarker06Versions.end();
  return std::to_string(recordLength) + (marker06 ? " 06 " : " 0C ") +
         (version == kC698pFixVersion ? "1" : "0");
}

FirmwareProfileWrite WriteFirmwareProfile(const FirmwareScan& scan, Catalog& catalog,
                                          UserDialogs& dialogs) {
  FirmwareProfileWrite result;
  std::error_code error;
  std::filesystem::create_directory(catalog.profilesFolder(), error);
  if (error) {
    result.status = Failure(FileError("create", catalog.profilesFolder(), error.value()));
    return result;
  }
  // The item base first: a profile naming items the item base lacks would be refused when
  // applied, while lines added for a profile that could not be written do no harm.
  result.status = AppendMissing(scan.items, false, catalog, result.itemBaseUpdated);
  if (result.status)
    result.status = AppendMissing(scan.shortcuts, true, catalog, result.itemBaseUpdated);
  if (!result.status) return result;

  std::vector<std::string> listed = scan.items;
  listed.insert(listed.end(), scan.shortcuts.begin(), scan.shortcuts.end());
  result.status = WriteFileAtomically(
      catalog.profilesFolder() / (scan.version + kProfileExtension),
      FormatProfile(FirmwareFormatLine(scan.version, scan.recordLength), listed));
  if (result.status && result.itemBaseUpdated)
    dialogs.Show({kItemBaseUpdatedText, kProfileInfoCaption, MessageIcon::Information});
  return result;
}

ProfileCreation CreateProfileFromScan(const FirmwareScan& scan, Catalog& catalog,
                                      FormatOptions& options, UserDialogs& dialogs) {
  ProfileCreation creation;
  switch (scan.status) {
    case ScanStatus::Cancelled: return creation;
    case ScanStatus::ReadFailed: creation.status = Failure(scan.message); return creation;
    case ScanStatus::Failed:
      dialogs.Show({kProfileNotCreatedText, "", MessageIcon::Warning});
      return creation;
    case ScanStatus::Found: break;
  }

  const FirmwareProfileWrite written = WriteFirmwareProfile(scan, catalog, dialogs);
  if (written.itemBaseUpdated) {
    const Result<ItemBaseWarnings> reloaded = catalog.ReloadItemBase();
    if (reloaded)
      creation.warnings = *reloaded;
    else
      creation.status = Failure(reloaded.error());
  }
  if (!written.status) creation.status = written.status;
  if (!creation.status) return creation;

  catalog.ListProfiles();
  // The profile has just been written, so it is there; a failure to read it has been shown.
  static_cast<void>(catalog.ApplyProfile(scan.version, options, dialogs));
  dialogs.Show({kProfileCreatedText, "", MessageIcon::Information});
  creation.warnings.insert(creation.warnings.end(), scan.warnings.begin(), scan.warnings.end());
  return creation;
}

}  // namespace menuforge

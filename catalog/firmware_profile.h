// A profile made from a firmware image: the file written from a scan, the item base lines it
// adds, and what "Create new..." in the profile selector does around them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/user_messages.h"
#include "catalog/catalog.h"
#include "catalog/firmware_scan.h"
#include "menu/format_options.h"

namespace menuforge {

inline constexpr char kProfileCreatedText[] = "Profile was successfully created";
inline constexpr char kProfileNotCreatedText[] = "Failed to create profile";
// What a scan that found no usable profile answers in place of a name.
inline constexpr char kFailedScanResult[] = "Fail";

// "RECORD MARKER FIX" for a profile of the firmware `version`.
std::string FirmwareFormatLine(const std::string& version, int recordLength);

// The item base may have grown even when the profile then failed.
struct FirmwareProfileWrite {
  Status status;  // a file that could not be written; the rest was not written either
  bool itemBaseUpdated = false;
};

// For a scan that found a profile: appends "name;name" for each item name the item base
// lacks, and "name;name [SC]" for each such shortcut name, once per occurrence, then writes
// "Profiles/VERSION.prf" whole. Shows "Item base has been updated" when lines were added; the
// tables in memory stay as they are.
[[nodiscard]] FirmwareProfileWrite WriteFirmwareProfile(const FirmwareScan& scan, Catalog& catalog,
                                                        UserDialogs& dialogs);

// The warnings of an item base read again stand beside a failure that followed.
struct ProfileCreation {
  Status status;  // an image that could not be read, a file that could not be written
  std::vector<std::string> warnings;
};

// "Create new..." once the chosen image was scanned: when the scan found a profile, writes it,
// reloads the item base when it grew, lists the profiles again and applies the new one,
// telling the user through `dialogs`. A failed or stopped scan writes nothing, and the
// selector keeps the entry it had before.
[[nodiscard]] ProfileCreation CreateProfileFromScan(const FirmwareScan& scan, Catalog& catalog,
                                                    FormatOptions& options, UserDialogs& dialogs);

}  // namespace menuforge

// Reading a firmware profile out of a CG1 image: the firmware version, the table of main menu
// item names and the table of shortcut item names, all found by plain byte patterns. Nothing is
// written here; the caller decides what to do with what was found.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace menuforge {

inline constexpr char kScanProgressCaption[] = "Scanning CG1";

enum class ScanStatus { Found, Failed, Cancelled, ReadFailed };

struct FirmwareScan {
  ScanStatus status = ScanStatus::Failed;
  std::string message;   // why the scan failed, or the read error
  std::string version;   // the text behind "@(#)" up to the first "_"
  int recordLength = 0;  // 22 for an item table of 20-byte entries, 36 for 36-byte entries
  std::vector<std::string> items;      // in item table order
  std::vector<std::string> shortcuts;  // in the order the profile lists them
  std::vector<std::string> warnings;   // names that could not be kept
};

// Told the share of the image searched so far (0 to 100) after each block; returns false to
// stop the scan.
using ScanProgress = std::function<bool(int percent)>;

[[nodiscard]] FirmwareScan ScanFirmwareImage(const std::filesystem::path& image,
                                             const ScanProgress& progress);

}  // namespace menuforge

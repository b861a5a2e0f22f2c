#include <iostream>

#include "catalog/firmware_profile.h"
#include "cli/command.h"
#include "cli/progress_bar.h"
#include "cli/terminal_output.h"
#include "cli/workspace.h"

namespace menuforge::cli {
namespace {

FirmwareScan Scan(const std::filesystem::path& image) {
  if (!ErrorStreamIsTerminal()) return ScanFirmwareImage(image, nullptr);
  TerminalProgressBar bar(RawErrorStream(), kScanProgressCaption);
  return ScanFirmwareImage(image, [&bar](int percent) {
    bar.Show(percent);
    return true;
  });
}

// The image is read whole before anything is written: an image that holds no usable profile
// leaves the working folder as it was.
int RunScanFirmware(const ParsedArguments& arguments) {
  const FirmwareScan scan = Scan(arguments.positional[0]);
  if (scan.status == ScanStatus::ReadFailed) throw CommandFailure(scan.message);
  if (scan.status != ScanStatus::Found) {
    std::cerr << kErrorPrefix << scan.message << '\n';
    std::cout << kFailedScanResult << '\n';
    return kExitFailure;
  }

  Catalog catalog(std::filesystem::current_path());
  const Result<ItemBaseWarnings> loaded = catalog.LoadItemBase();
  if (!loaded) throw CommandFailure(loaded.error().text);
  PrintWarnings(*loaded);
  CliDialogs dialogs(std::cerr);
  const FirmwareProfileWrite written = WriteFirmwareProfile(scan, catalog, dialogs);
  if (!written.status) throw CommandFailure(written.status.error().text);
  PrintWarnings(scan.warnings);
  std::cout << scan.version << '\n';
  return kExitSuccess;
}

}  // namespace

const Command kScanFirmwareCommand{
    "scan-firmware",
    "IMAGE",
    "Scans a CG1 firmware image for its version, its table of menu items and its table of\n"
    "shortcut items, writes them as the profile Profiles/VERSION.prf (replacing one of that\n"
    "name) and prints VERSION. Items the item base lacks are appended to Profiles/itembase.dat,\n"
    "shortcuts marked \" [SC]\". When the image holds no usable profile it prints \"Fail\",\n"
    "says why on stderr, writes nothing and exits 1. A progress bar is drawn on stderr when\n"
    "that is a terminal.\n",
    {},
    1,
    RunScanFirmware,
};

}  // namespace menuforge::cli

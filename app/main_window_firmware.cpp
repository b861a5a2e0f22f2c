// "Create new..." in the profile selector: a profile made from a firmware image.
#include <QComboBox>

#include "app/core/profile_selector.h"
#include "app/main_window.h"
#include "app/scan_progress_window.h"
#include "catalog/firmware_profile.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr FileDialogText kFirmwareDialog{"Select CG1 to create FW profile",
                                         "CG1 binaries (*.bin *.smg);;All files (*)"};

}  // namespace

void MainWindow::CreateProfile() {
  if (readOnly_) {
    prompts_->Show({kReadOnlyFolderText, kProfileErrorCaption, MessageIcon::Warning});
  } else if (const auto image = prompts_->OpenFileName(kFirmwareDialog)) {
    repaint();
    FirmwareScan scan;
    {
      ScanProgressWindow progress(this);
      scan =
          ScanFirmwareImage(*image, [&progress](int percent) { return progress.Advance(percent); });
    }
    ProfileCreation creation;
    document_.ApplyProfile([&](Catalog& catalog, FormatOptions& options) {
      creation = CreateProfileFromScan(scan, catalog, options, *prompts_);
    });
    if (!creation.status) prompts_->Show(creation.status.error());
    ShowWarnings(creation.warnings);
  }
  ShowProfileEntries();
  ShowCatalogState();
  // A profile made from a firmware image is applied at once, so it may exclude items too.
  ShowProfileExclusions();
}

void MainWindow::ShowProfileEntries() {
  QStringList entries;
  for (const std::string& entry : ProfileSelectorEntries(document_.catalog()))
    entries << ShownText(entry);
  QStringList shown;
  for (int i = 0; i < profileSelector_->count(); ++i) shown << profileSelector_->itemText(i);
  if (shown == entries) return;
  profileSelector_->clear();
  profileSelector_->addItems(entries);
}

}  // namespace menuforge

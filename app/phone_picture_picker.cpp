#include "app/phone_picture_picker.h"

#include <algorithm>

#include "browser/core/file_listing.h"
#include "browser/picture_picker_dialog.h"
#include "phone/phone_text.h"
#include "widgets/progress_adapters.h"

namespace menuforge {

std::optional<std::u16string> DialogPhonePicturePicker::PickPhonePicture(QWidget* parent,
                                                                         IconRow row) {
  PhoneSession& session = link_.session;
  if (session.fileList().empty()) {
    // A list emptied by a disconnect may come from another phone next; its pictures too.
    previews_.Clear();
    ProgressWindowFactory windows(parent);
    // Only the animated icon follows the browser's list mode; the others take icons.
    const ListMode mode = row == IconRow::Animated ? state_.listMode : ListMode::IconsOnly;
    FetchList(mode, state_.mask, session, windows, prompts_);
  }
  QtBrowserPrompts browserPrompts;
  PicturePickerDialog dialog(parent, link_, state_, previews_, browserPrompts);
  browserPrompts.SetParent(&dialog);
  prompts_.ShowModal(dialog);
  if (dialog.result() != QDialog::Accepted || state_.pickedPath.empty()) return std::nullopt;
  return state_.pickedPath;
}

std::optional<Bytes> DialogPhonePicturePicker::PictureOf(const std::u16string& path) {
  const std::optional<std::string> phonePath = PhoneText(path);
  if (!phonePath) return std::nullopt;
  // A file the list knows as too big for a picture is not read for the indicator.
  const FileListEntry* listed = link_.session.ListedFile(*phonePath);
  if (listed && !IsPreviewable(*phonePath, listed->size())) return std::nullopt;
  const Bytes* bytes = previews_.Fetch(link_.session, *phonePath);
  if (bytes == nullptr) return std::nullopt;
  return *bytes;
}

}  // namespace menuforge

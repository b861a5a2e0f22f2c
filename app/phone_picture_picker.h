// The item editor's phone picture picker: the "Picture Picker" over the phone file list, which
// it fetches first when it is empty, and the pictures of picked files for the indicators.
#pragma once

#include "browser/core/browser_run_state.h"
#include "browser/core/picture_previews.h"
#include "editor/picker_interface.h"
#include "phone/phone_link.h"
#include "widgets/window_prompts.h"

namespace menuforge {

class DialogPhonePicturePicker final : public PhonePicturePicker {
 public:
  // The browser is shown through `prompts`, which the main window's user (or script) answers.
  DialogPhonePicturePicker(PhoneLink& link, WindowPrompts& prompts)
      : link_(link), prompts_(prompts) {}

  std::optional<std::u16string> PickPhonePicture(QWidget* parent, IconRow row) override;
  std::optional<Bytes> PictureOf(const std::u16string& path) override;
  // The phone preview fetches through these too, so that only one file is open on the phone.
  PicturePreviews& previews() { return previews_; }

 private:
  PhoneLink& link_;
  WindowPrompts& prompts_;
  BrowserRunState state_;
  PicturePreviews previews_;
};

}  // namespace menuforge

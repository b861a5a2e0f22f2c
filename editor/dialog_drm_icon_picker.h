// The item editor's DRM icon picker: asks for a DRM binary the first time, keeps it for the
// rest of the run, and lets the user choose an icon in the "DRM Icon Picker" window.
#pragma once

#include "editor/core/current_drm_binary.h"
#include "editor/drm_picker_dialog.h"
#include "editor/editor_prompts.h"
#include "editor/picker_interface.h"

namespace menuforge {

class DialogDrmIconPicker final : public DrmIconPicker {
 public:
  DialogDrmIconPicker(EditorPrompts& prompts, DrmBinaryChooser choose)
      : prompts_(prompts), choose_(std::move(choose)) {}

  std::optional<std::uint16_t> PickDrmIcon(QWidget* parent) override;
  const CurrentDrmBinary& current() const { return binary_; }

 private:
  EditorPrompts& prompts_;
  DrmBinaryChooser choose_;
  CurrentDrmBinary binary_;
};

}  // namespace menuforge

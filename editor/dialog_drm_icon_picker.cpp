#include "editor/dialog_drm_icon_picker.h"

namespace menuforge {

std::optional<std::uint16_t> DialogDrmIconPicker::PickDrmIcon(QWidget* parent) {
  if (!binary_.loaded()) {
    const std::optional<std::filesystem::path> path = choose_();
    if (!path) return std::nullopt;
    if (const std::optional<Message> error = binary_.Load(*path)) {
      prompts_.Show(*error);
      return std::nullopt;
    }
  }
  DrmPickerDialog dialog(binary_, choose_, prompts_, parent);
  if (!prompts_.RunModal(dialog)) return std::nullopt;
  return dialog.number();
}

}  // namespace menuforge

#include "editor/core/control_hints.h"

#include "menu/node_record.h"

namespace menuforge {
namespace {

constexpr std::array<std::uint8_t, kAttributeBoxCount> kBoxBits = {
    kAttributeLockable, kAttributeProtected, kAttributeNonChangeable};

}  // namespace

std::array<CheckControl, kAttributeBoxCount> ShownAttributeBoxes(const EditorControls& controls,
                                                                 bool storesFunction) {
  if (!storesFunction) return controls.boxes;
  std::array<CheckControl, kAttributeBoxCount> shown;
  for (std::size_t i = 0; i < kAttributeBoxCount; ++i)
    shown[i] = {(kAttributeWithFunction & kBoxBits[i]) != 0, false};
  return shown;
}

std::string_view AttributeBoxHint(bool storesFunction) {
  return storesFunction ? kStoredWithFunctionText : "";
}

std::string_view PickButtonHint(const IconRowControls& row, bool phoneConnected) {
  if (!row.enabled || row.pickEnabled) return "";
  if (row.source == IconSource::Drm) return kChooseDrmAgainText;
  return phoneConnected ? "" : kConnectPhoneToPickText;
}

std::string_view MidletChoiceHint(const EditorControls& controls, bool phoneJ2mestRead) {
  return controls.midletChoiceEnabled || phoneJ2mestRead ? "" : kNeedsJ2mestReadText;
}

}  // namespace menuforge

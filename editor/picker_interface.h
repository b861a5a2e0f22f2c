// Where the item editor's pick buttons get their pictures from. Each picker plugs in here; a
// button whose picker is missing stays disabled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/text_encoding.h"
#include "editor/core/editor_controls.h"

class QWidget;

namespace menuforge {

class PhonePicturePicker {
 public:
  virtual ~PhonePicturePicker() = default;
  // The phone path of the picture chosen for the row, nothing when cancelled. The picker fetches
  // the phone's file list first when none was fetched yet, for the animated row as the file
  // browser's listing mode says, for the other rows as the icon list.
  virtual std::optional<std::u16string> PickPhonePicture(QWidget* parent, IconRow row) = 0;
  // The bytes of the picture at a phone path, for the row's indicator; nothing when the phone
  // cannot give them.
  virtual std::optional<Bytes> PictureOf(const std::u16string&) { return std::nullopt; }
};

class DrmIconPicker {
 public:
  virtual ~DrmIconPicker() = default;
  // The number of the icon chosen in a DRM binary, nothing when cancelled. The picker asks for
  // the binary itself ("Select a DRM binary") unless one is loaded already in this run.
  virtual std::optional<std::uint16_t> PickDrmIcon(QWidget* parent) = 0;
};

struct PickerSet {
  PhonePicturePicker* phonePictures = nullptr;
  DrmIconPicker* drmIcons = nullptr;
};

}  // namespace menuforge

// How the next save writes the file, and what the last load found.
#pragma once

#include <cstdint>

#include "menu/record_size.h"

namespace menuforge {

enum class IconAttribute : std::uint8_t { Tag06 = 0x06, Tag0C = 0x0C };

// The main window shows these as "MMA save mode", "Save all data", "c698p mma_ucp fix" and
// "Custom icon attribute"; the loader and the profiles set them, the saver reads them.
struct FormatOptions {
  RecordSize saveMode = RecordSize::k36;  // record size of the next save
  bool c698pFix = false;
  bool c698pEnabled = false;
  IconAttribute iconAttribute = IconAttribute::Tag0C;
  bool iconAttributeEnabled = false;
  bool saveAllData = false;

  // Choosing 22 lets the user set the fix and the icon attribute; choosing 36 fixes the icon
  // attribute at "0C" and clears the fix.
  void SelectSaveMode(RecordSize recordSize) {
    saveMode = recordSize;
    if (recordSize == RecordSize::k22) {
      iconAttributeEnabled = true;
      c698pEnabled = true;
    } else {
      iconAttribute = IconAttribute::Tag0C;
      iconAttributeEnabled = false;
      c698pEnabled = false;
      c698pFix = false;
    }
  }

  bool operator==(const FormatOptions&) const = default;
};

// What the last loaded file was; saving does not change it.
struct FormatState {
  int recordSize = 0;  // 22 or 36; 0 before any load
  std::uint32_t dataSectionOffset = 0;
};

}  // namespace menuforge

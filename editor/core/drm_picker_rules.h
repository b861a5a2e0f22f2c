// The rules of the DRM Icon Picker that need no window: which numbers it offers, what a key in
// its number field does, and what its size label says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pictures/drm_binary.h"
#include "pictures/drm_picture.h"

namespace menuforge {

inline constexpr char kDrmPickerCaption[] = "DRM Icon Picker";
inline constexpr char kSelectDrmBinaryTitle[] = "Select a DRM binary";
inline constexpr char kDrmBinaryFilter[] = "CG15 binaries|*.smg;*.bin|All files|*.*";
inline constexpr char kSizeLabelPrefix[] = "Size: ";

// The highest number offered, 0 when none is. The item editor keeps icon numbers in 16 bits, so
// a larger binary offers its first 65535 entries.
std::uint16_t PickerMaximum(const DrmBinary& binary);

// One click of the up-down control, wrapping from the maximum to 1 and from 1 to the maximum.
std::uint16_t UpDownStep(std::uint16_t position, std::uint16_t maximum, bool up);

enum class NumberKey {
  Digit,
  Edit,     // backspace and delete change the text but show nothing
  Swallow,  // every other character
};
NumberKey ClassifyNumberKey(char16_t character);

// The number the field holds once `digit` replaces the characters from `selectionStart` to
// `selectionEnd` (the caret when they are equal), when it lies from 1 to `maximum`; otherwise
// nothing, and the field goes back to its text before the key.
std::optional<std::uint16_t> NumberAfterDigit(std::u16string_view text, std::size_t selectionStart,
                                              std::size_t selectionEnd, char16_t digit,
                                              std::uint16_t maximum);

// "Size: 24x24", or "[no image]".
std::string SizeLabelText(const std::optional<DrmPicture>& picture);

}  // namespace menuforge

// One entry of a DRM binary as a GIF picture: a stored GIF as it is, a raw image converted.
#pragma once

#include <optional>

#include "pictures/drm_binary.h"

namespace menuforge {

inline constexpr char kNoImageText[] = "[no image]";

struct DrmPicture {
  Bytes gif;
  // The GIF's own screen size.
  PictureSize size;
};

// Nothing when the entry has no picture, or its GIF is too short to tell its size.
std::optional<DrmPicture> ExtractDrmPicture(const DrmBinary& binary, std::size_t index);

// The size ExtractDrmPicture would report, without converting a raw image.
std::optional<PictureSize> DrmEntrySize(const DrmEntry& entry);

}  // namespace menuforge

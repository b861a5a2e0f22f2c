// Turning a picture with alpha into an indexed GIF with a transparent colour: in memory for the
// DRM icon picker, from file to file for the command-line tool.
#pragma once

#include <filesystem>
#include <string>

#include "base/bytes.h"
#include "base/result.h"
#include "pictures/picture.h"

namespace menuforge {

inline constexpr char kPictureTooLargeText[] =
    "Picture too large: at most 1920000 pixels (1600 x 1200) and 65535 on a side";
inline constexpr char kPictureUnreadablePrefix[] = "Cannot read the picture ";
inline constexpr char kGifEncodingFailedText[] = "The GIF encoder failed";

// Fails when the picture does not fit the index buffer or the encoder fails.
Result<Bytes> PictureToGif(const RgbaPicture& picture);

// Reads a PNG, BMP or GIF (its first frame), converts it and writes the GIF beside `output`
// before renaming it into place, so a failure leaves no partial file.
Status Convert(const std::filesystem::path& input, const std::filesystem::path& output);

}  // namespace menuforge

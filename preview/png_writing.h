// Pictures as PNG files, for the command-line tool's previews.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/result.h"
#include "base/text_encoding.h"
#include "pictures/picture.h"

namespace menuforge {

// Nothing when the encoder fails.
std::optional<Bytes> EncodePng(const RgbaPicture& picture);
// Writes aside and renames, so a failure leaves no partial file.
Status WritePng(const RgbaPicture& picture, const std::filesystem::path& path);

}  // namespace menuforge

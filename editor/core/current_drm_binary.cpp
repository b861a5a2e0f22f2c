#include "editor/core/current_drm_binary.h"

#include "menu/local_file.h"

namespace menuforge {

std::optional<Message> CurrentDrmBinary::Load(const std::filesystem::path& path) {
  Bytes contents;
  if (std::string error = ReadWholeFile(path, kLargestDrmBinary, kDrmBinaryKind, contents);
      !error.empty())
    return Message{std::move(error), kErrorCaption, MessageIcon::Error};
  binary_ = DrmBinary::Parse(std::move(contents));
  path_ = path;
  return std::nullopt;
}

}  // namespace menuforge

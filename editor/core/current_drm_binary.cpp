#include "editor/core/current_drm_binary.h"

#include "base/local_file.h"

namespace menuforge {

std::optional<Message> CurrentDrmBinary::Load(const std::filesystem::path& path) {
  std::string contents;
  if (std::string error = ReadWholeFile(path, contents); !error.empty())
    return Message{std::move(error), kErrorCaption, MessageIcon::Error};
  binary_ = DrmBinary::Parse(Bytes(contents.begin(), contents.end()));
  path_ = path;
  return std::nullopt;
}

}  // namespace menuforge

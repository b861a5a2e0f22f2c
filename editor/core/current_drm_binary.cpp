#include "editor/core/current_drm_binary.h"

#include "base/local_file.h"

namespace menuforge {

std::optional<Message> CurrentDrmBinary::Load(const std::filesystem::path& path) {
  const Result<std::string> contents = ReadWholeFile(path);
  if (!contents) return contents.error();
  binary_ = DrmBinary::Parse(Bytes(contents->begin(), contents->end()));
  path_ = path;
  return std::nullopt;
}

}  // namespace menuforge

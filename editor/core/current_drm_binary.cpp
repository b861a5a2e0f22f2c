#include "editor/core/current_drm_binary.h"

#include "base/local_file.h"

namespace menuforge {

std::optional<Message> CurrentDrmBinary::Load(const std::filesystem::path& path) {
  Result<Bytes> contents = ReadWholeFileBytes(path, kLargestDrmBinary, kDrmBinaryKind);
  if (!contents) return contents.error();
  binary_ = DrmBinary::Parse(std::move(*contents));
  path_ = path;
  return std::nullopt;
}

}  // namespace menuforge

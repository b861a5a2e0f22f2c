// The DRM binary the icon picker works on: chosen once, then kept in memory for the rest of the
// run until the user loads another.
#pragma once

#include <filesystem>
#include <optional>

#include "base/user_messages.h"
#include "pictures/drm_binary.h"

namespace menuforge {

class CurrentDrmBinary {
 public:
  bool loaded() const { return binary_.has_value(); }
  const std::filesystem::path& path() const { return path_; }
  // Only while loaded().
  const DrmBinary& binary() const { return *binary_; }

  // Reads the file from disk and makes it current. A file that cannot be read leaves the
  // current binary as it was and gives the message to show.
  [[nodiscard]] std::optional<Message> Load(const std::filesystem::path& path);

 private:
  std::filesystem::path path_;
  std::optional<DrmBinary> binary_;
};

}  // namespace menuforge

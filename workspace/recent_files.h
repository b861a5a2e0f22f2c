// The menu files opened or saved last, newest first, kept in the settings file in a section of
// their own ("recent"), so that the "setup" keys stay as they are.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"

namespace menuforge {

inline constexpr std::size_t kMaxRecentFiles = 8;

class RecentFiles {
 public:
  const std::vector<std::filesystem::path>& paths() const { return paths_; }
  // Puts the file first (moving it up when it is listed) and keeps the newest kMaxRecentFiles.
  // A path the settings file cannot hold as it is (line breaks, spaces at either end) is left
  // out.
  void Add(const std::filesystem::path& path);
  void Remove(const std::filesystem::path& path);
  bool operator==(const RecentFiles&) const = default;

 private:
  std::vector<std::filesystem::path> paths_;
};

// An entry of File > Open recent: "&1 menu.mma (/home/me/menus)", the number (1 to 8) as its
// access key, then the file name with its folder after it; '&' in the path is doubled.
std::string RecentMenuEntryText(std::size_t index, const std::filesystem::path& path);

// "NAME no longer exists; it has been taken off the recent files"
std::string MissingRecentFileText(const std::filesystem::path& path);

// An unreadable file or section reads as an empty list.
RecentFiles ReadRecentFiles(const std::filesystem::path& settingsFile);
// Replaces the section "recent" and keeps everything else.
Status WriteRecentFiles(const std::filesystem::path& settingsFile, const RecentFiles& files);

}  // namespace menuforge

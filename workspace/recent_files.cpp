#include "workspace/recent_files.h"

#include <algorithm>

#include "workspace/ini_file.h"

namespace menuforge {
namespace {

constexpr char kSection[] = "recent";

std::string KeyOf(std::size_t index) { return "File" + std::to_string(index + 1); }

// The settings file trims values and ends them at a line break.
bool Storable(const std::string& text) {
  return !text.empty() && text.find_first_of("\r\n") == std::string::npos && text.front() != ' ' &&
         text.back() != ' ' && text.front() != '\t' && text.back() != '\t';
}

}  // namespace

void RecentFiles::Add(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
  if (error || !Storable(absolute.string())) return;
  Remove(absolute);
  paths_.insert(paths_.begin(), absolute);
  if (paths_.size() > kMaxRecentFiles) paths_.resize(kMaxRecentFiles);
}

void RecentFiles::Remove(const std::filesystem::path& path) { std::erase(paths_, path); }

std::string RecentMenuEntryText(std::size_t index, const std::filesystem::path& path) {
  const auto escaped = [](std::string text) {
    for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 2))
      text.insert(at, 1, '&');
    return text;
  };
  std::string text = index < 9 ? "&" + std::to_string(index + 1) + " " : "";
  text += escaped(path.filename().string());
  if (path.has_parent_path()) text += " (" + escaped(path.parent_path().string()) + ")";
  return text;
}

std::string MissingRecentFileText(const std::filesystem::path& path) {
  return path.string() + " no longer exists; it has been taken off the recent files";
}

RecentFiles ReadRecentFiles(const std::filesystem::path& settingsFile) {
  RecentFiles files;
  IniFile ini;
  if (!ini.Read(settingsFile)) return files;
  // Added oldest first, so that the newest ends up at the top.
  for (std::size_t i = kMaxRecentFiles; i-- > 0;) {
    const std::string_view value = ini.Value(kSection, KeyOf(i).c_str(), "");
    if (!value.empty()) files.Add(std::filesystem::path(std::string(value)));
  }
  return files;
}

Status WriteRecentFiles(const std::filesystem::path& settingsFile, const RecentFiles& files) {
  IniFile ini;
  if (Status read = ini.Read(settingsFile); !read) return read;
  ini.RemoveSection(kSection);
  for (std::size_t i = 0; i < files.paths().size(); ++i)
    ini.Replace(kSection, KeyOf(i).c_str(), files.paths()[i].string());
  return ini.Write(settingsFile);
}

}  // namespace menuforge

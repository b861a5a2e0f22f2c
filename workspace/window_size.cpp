#include "workspace/window_size.h"

#include <charconv>

#include "workspace/ini_file.h"

namespace menuforge {
namespace {

constexpr char kSection[] = "window";
constexpr char kWidthKey[] = "Width";
constexpr char kHeightKey[] = "Height";
constexpr char kMaximizedKey[] = "Maximized";
constexpr int kLargestSide = 100000;

std::optional<int> Side(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0 ||
      value > kLargestSide)
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<WindowSize> ReadWindowSize(const std::filesystem::path& settingsFile) {
  IniFile ini;
  if (!ini.Read(settingsFile)) return std::nullopt;
  const std::optional<int> width = Side(ini.Value(kSection, kWidthKey, ""));
  const std::optional<int> height = Side(ini.Value(kSection, kHeightKey, ""));
  if (!width || !height) return std::nullopt;
  return WindowSize{*width, *height, ini.Value(kSection, kMaximizedKey, "0") == "1"};
}

Status WriteWindowSize(const std::filesystem::path& settingsFile, const WindowSize& size) {
  IniFile ini;
  if (Status read = ini.Read(settingsFile); !read) return read;
  ini.Replace(kSection, kWidthKey, std::to_string(size.width));
  ini.Replace(kSection, kHeightKey, std::to_string(size.height));
  ini.Replace(kSection, kMaximizedKey, size.maximized ? "1" : "0");
  return ini.Write(settingsFile);
}

}  // namespace menuforge

#include "workspace/preview_dock_state.h"

#include <charconv>
#include <string>
#include <string_view>

#include "workspace/ini_file.h"

namespace menuforge {
namespace {

constexpr char kSection[] = "preview";
constexpr char kShownKey[] = "Shown";
constexpr char kWidthKey[] = "Width";
constexpr char kScreenKey[] = "Screen";
constexpr char kLayoutKey[] = "Layout";
constexpr char kLanguageKey[] = "Language";
constexpr int kWidestDock = 100000;
// A hand-edited file may hold anything; the dock checks the list places against its own lists.
constexpr int kMostChoices = 255;

int Number(const IniFile& ini, const char* key, int lowest, int highest, int fallback) {
  const std::string_view text = ini.Value(kSection, key, "");
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > highest)
    return fallback;
  return value;
}

}  // namespace

PreviewDockState ReadPreviewDockState(const std::filesystem::path& settingsFile) {
  PreviewDockState state;
  IniFile ini;
  if (!ini.Read(settingsFile)) return state;
  state.shown = ini.Value(kSection, kShownKey, "0") == "1";
  state.width = Number(ini, kWidthKey, 1, kWidestDock, state.width);
  state.screen = Number(ini, kScreenKey, 0, kMostChoices, state.screen);
  state.layout = Number(ini, kLayoutKey, 0, 1, state.layout);
  state.language = Number(ini, kLanguageKey, 1, kMostChoices, state.language);
  return state;
}

Status WritePreviewDockState(const std::filesystem::path& settingsFile,
                             const PreviewDockState& state) {
  IniFile ini;
  if (Status read = ini.Read(settingsFile); !read) return read;
  ini.Replace(kSection, kShownKey, state.shown ? "1" : "0");
  ini.Replace(kSection, kWidthKey, std::to_string(state.width));
  ini.Replace(kSection, kScreenKey, std::to_string(state.screen));
  ini.Replace(kSection, kLayoutKey, std::to_string(state.layout));
  ini.Replace(kSection, kLanguageKey, std::to_string(state.language));
  return ini.Write(settingsFile);
}

}  // namespace menuforge

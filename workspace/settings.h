// The user settings that survive between runs, and their file "menuforge.ini".
#pragma once

#include <filesystem>
#include <string>

#include "base/result.h"

namespace menuforge {

inline constexpr char kSettingsFileName[] = "menuforge.ini";

// Meant to hold: readJ2mest exactly when fromPhone or fromCard; patchJ2mest only with readJ2mest.
struct Settings {
  bool setSystemAttribute = false;
  bool logging = false;
  bool readJ2mest = false;
  bool fromPhone = false;
  bool fromCard = false;
  bool patchJ2mest = false;
  // Save to phone lists what it will change on the phone and asks first.
  bool showPhoneChanges = false;
  // The language of the window, as a translation's name ("de", "pt_BR"...); empty follows the
  // system's locale. Read at start only.
  std::string windowLanguage{};
  bool operator==(const Settings&) const = default;
};

// A missing or unreadable file gives the defaults.
Settings ReadSettings(const std::filesystem::path& path);

// Replaces the keys of section "setup" and keeps whatever else the file holds. The file is
// swapped in whole, so a failure leaves the old one as it was.
Status WriteSettings(const std::filesystem::path& path, const Settings& settings);

}  // namespace menuforge

#include "workspace/settings.h"

#include "workspace/ini_file.h"

namespace menuforge {

namespace {

constexpr char kSection[] = "setup";
constexpr char kSetSystemAttrKey[] = "SetSystemAttr";
constexpr char kLogEnabledKey[] = "LogEnabled";
constexpr char kReadJ2mestKey[] = "ReadJ2MEST";
constexpr char kPatchJ2mestKey[] = "PatchJ2MEST";
constexpr char kShowPhoneChangesKey[] = "ShowPhoneChanges";
constexpr char kWindowLanguageKey[] = "WindowLanguage";

constexpr char kOn[] = "1";
constexpr char kOff[] = "0";
constexpr char kPhone[] = "Phone";
constexpr char kCard[] = "Card";
constexpr char kBoth[] = "Both";
constexpr char kNone[] = "None";

const char* J2mestSourceValue(const Settings& settings) {
  if (settings.fromPhone && settings.fromCard) return kBoth;
  if (settings.fromPhone) return kPhone;
  if (settings.fromCard) return kCard;
  return kNone;
}

}  // namespace

Settings ReadSettings(const std::filesystem::path& path) {
  Settings settings;
  IniFile ini;
  if (!ini.Read(path)) return settings;
  const auto value = [&ini](const char* key, const char* fallback) {
    return ini.Value(kSection, key, fallback);
  };

  settings.setSystemAttribute = value(kSetSystemAttrKey, kOff) == kOn;
  settings.logging = value(kLogEnabledKey, kOff) == kOn;
  const std::string_view source = value(kReadJ2mestKey, kNone);
  settings.fromPhone = source == kPhone || source == kBoth;
  settings.fromCard = source == kCard || source == kBoth;
  settings.readJ2mest = settings.fromPhone || settings.fromCard;
  settings.patchJ2mest = settings.readJ2mest && value(kPatchJ2mestKey, kOff) == kOn;
  settings.showPhoneChanges = value(kShowPhoneChangesKey, kOff) == kOn;
  settings.windowLanguage = value(kWindowLanguageKey, "");
  return settings;
}

Status WriteSettings(const std::filesystem::path& path, const Settings& settings) {
  IniFile ini;
  // A file that exists but cannot be read is not overwritten: its content would be lost unseen.
  if (Status read = ini.Read(path); !read) return read;
  ini.Replace(kSection, kSetSystemAttrKey, settings.setSystemAttribute ? kOn : kOff);
  ini.Replace(kSection, kLogEnabledKey, settings.logging ? kOn : kOff);
  ini.Replace(kSection, kReadJ2mestKey, J2mestSourceValue(settings));
  ini.Replace(kSection, kPatchJ2mestKey, settings.patchJ2mest ? kOn : kOff);
  ini.Replace(kSection, kShowPhoneChangesKey, settings.showPhoneChanges ? kOn : kOff);
  // The key is there only for a chosen language, so that a file nobody chose one in keeps the
  // keys it always had.
  if (settings.windowLanguage.empty())
    ini.Remove(kSection, kWindowLanguageKey);
  else
    ini.Replace(kSection, kWindowLanguageKey, settings.windowLanguage);
  return ini.Write(path);
}

}  // namespace menuforge

#include "workspace/settings.h"

#include <cerrno>
#include <string_view>

#include "menu/local_file.h"

// The packaged header keeps its definitions behind SI_IMPLEMENTATION; only 8-bit text is needed.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace menuforge {

namespace {

constexpr char kSection[] = "setup";
constexpr char kSetSystemAttrKey[] = "SetSystemAttr";
constexpr char kLogEnabledKey[] = "LogEnabled";
constexpr char kReadJ2mestKey[] = "ReadJ2MEST";
constexpr char kPatchJ2mestKey[] = "PatchJ2MEST";

constexpr char kOn[] = "1";
constexpr char kOff[] = "0";
constexpr char kPhone[] = "Phone";
constexpr char kCard[] = "Card";
constexpr char kBoth[] = "Both";
constexpr char kNone[] = "None";

// Section and key names without regard to letter case. Repeated keys are kept so that a rewrite
// loses none of them, and the first one counts when reading.
class IniFile : public CSimpleIniA {
 public:
  IniFile() : CSimpleIniA(/*a_bIsUtf8=*/false, /*a_bMultiKey=*/true, /*a_bMultiLine=*/false) {
    SetSpaces(false);
  }
  std::string_view Value(const char* key, const char* fallback) const {
    return GetValue(kSection, key, fallback);
  }
  void Replace(const char* key, const char* value) {
    Delete(kSection, key);
    SetValue(kSection, key, value);
  }
};

std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

const char* J2mestSourceValue(const Settings& settings) {
  if (settings.fromPhone && settings.fromCard) return kBoth;
  if (settings.fromPhone) return kPhone;
  if (settings.fromCard) return kCard;
  return kNone;
}

}  // namespace

Settings ReadSettings(const std::filesystem::path& path) {
  Settings settings;
  std::string text;
  IniFile ini;
  if (!ReadWholeFile(path, text).empty() || ini.LoadData(text) < 0) return settings;

  settings.setSystemAttribute = ini.Value(kSetSystemAttrKey, kOff) == kOn;
  settings.logging = ini.Value(kLogEnabledKey, kOff) == kOn;
  const std::string_view source = ini.Value(kReadJ2mestKey, kNone);
  settings.fromPhone = source == kPhone || source == kBoth;
  settings.fromCard = source == kCard || source == kBoth;
  settings.readJ2mest = settings.fromPhone || settings.fromCard;
  settings.patchJ2mest = settings.readJ2mest && ini.Value(kPatchJ2mestKey, kOff) == kOn;
  return settings;
}

std::string WriteSettings(const std::filesystem::path& path, const Settings& settings) {
  IniFile ini;
  std::string existing;
  // A file that exists but cannot be read is not overwritten: its content would be lost unseen.
  std::error_code missing;
  if (std::filesystem::exists(path, missing)) {
    if (std::string error = ReadWholeFile(path, existing); !error.empty()) return error;
  }
  if (ini.LoadData(existing) < 0) return FileError("read", path, ENOMEM);

  ini.Replace(kSetSystemAttrKey, settings.setSystemAttribute ? kOn : kOff);
  ini.Replace(kLogEnabledKey, settings.logging ? kOn : kOff);
  ini.Replace(kReadJ2mestKey, J2mestSourceValue(settings));
  ini.Replace(kPatchJ2mestKey, settings.patchJ2mest ? kOn : kOff);

  std::string text;
  ini.Save(text);  // into memory and without character conversion: it cannot fail
  return WriteFileAtomically(path, WithCrLf(text));
}

}  // namespace menuforge

#include "app/core/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "menu/safe_file.h"

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

// Returns 0, or the errno of the failure.
int ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return errno;
  char buffer[4096];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
  const int error = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
  std::fclose(file);
  return error;
}

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

std::string CannotRead(const std::filesystem::path& path, int error) {
  return std::string(kCannotReadSettings) + " \"" + path.string() + "\". " + std::strerror(error);
}

}  // namespace

Settings ReadSettings(const std::filesystem::path& path) {
  Settings settings;
  std::string text;
  IniFile ini;
  if (ReadWholeFile(path, text) != 0 || ini.LoadData(text) < 0) return settings;

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
  if (const int error = ReadWholeFile(path, existing); error != 0 && error != ENOENT) {
    return CannotRead(path, error);
  }
  if (ini.LoadData(existing) < 0) return CannotRead(path, ENOMEM);

  ini.Replace(kSetSystemAttrKey, settings.setSystemAttribute ? kOn : kOff);
  ini.Replace(kLogEnabledKey, settings.logging ? kOn : kOff);
  ini.Replace(kReadJ2mestKey, J2mestSourceValue(settings));
  ini.Replace(kPatchJ2mestKey, settings.patchJ2mest ? kOn : kOff);

  std::string text;
  ini.Save(text);  // into memory and without character conversion: it cannot fail
  text = WithCrLf(text);
  return WriteFileAtomically(
      path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace menuforge

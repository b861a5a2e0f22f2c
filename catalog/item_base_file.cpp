#include "catalog/item_base_file.h"

#include <array>

#include "base/local_file.h"
#include "base/text_encoding.h"
#include "base/user_messages.h"

namespace menuforge {
namespace {

constexpr char kLineBreak[] = "\r\n";
constexpr char kSeparator = ';';
constexpr char kAppendedShortcutSuffix[] = " [SC]";

constexpr std::array<std::string_view, 152> kBuiltInIdentifiers = {
    "2CLICK",      "AIM",          "Activation",   "ActiveCall",  "AirplnMode",  "AirplaneMod",
    "AlarmClcok",  "AlarmClock",   "Animations",   "AnsMachine",  "Avatar",      "BRWSetup",
    "BarCodeRead", "BarredDial",   "Bluetooth",    "Bookmarks",   "Browser",     "CDAG",
    "CMCC",        "Calculator",   "CallForward",  "Camera",      "CarSetting",  "Chat",
    "Cmcccallfwd", "Cmccphbk",     "CmccphbkUpd",  "Cmccsetting", "Connection",  "Datebook",
    "DialService", "DownDict",     "E-Dict",       "Exchange",    "FEM",         "FixedDial",
    "Games",       "GoToPage",     "GoToURL",      "Headset",     "I-Appli",     "I-Browser",
    "I-Channel",   "I-Motions",    "IM",           "INCMCall",    "IRDALink",    "ITUNES",
    "InCallSetup", "InfuGames",    "IntlSetup",    "JAVATools",   "Lights",      "MMRingStyle",
    "MMSCard",     "Mailer",       "MainMenu",     "MediaFinder", "Melody",      "MenuRoot",
    "Message",     "Mflash",       "MobileQQ",     "MobileTV",    "MotoMixer",   "MotoSync",
    "Mutilmedia",  "MyTones",      "Network",      "NewWldDic",   "Notes",       "NwServices",
    "OneClickLS",  "OneClickRS",   "OneClickSD",   "OneClickSL",  "OneClickSM",  "OneClickSR",
    "OneClickSU",  "OptionsMenu",  "OthrSetting",  "Personalize", "PhoneBook",   "PhoneStatus",
    "Pictures",    "Ptt",          "PttOnOff",     "PttKodiak1",  "PttKodiak2",  "PttSetting",
    "Push2fwd",    "QuickDial",    "Radio",        "RecentCall",  "RingVibrate", "SIMApp",
    "RingStyle",   "STRingStyle",  "Security",     "ServiceDial", "ServiceTab",  "Settings",
    "Shortcuts",   "SndProfiles",  "SoftUpdate",   "Sounds",      "StoredPages", "Sync",
    "SystemScan",  "Text Msg",     "Theme",        "Tools",       "UsbSetting",  "VFCasting",
    "Video",       "VideoCamera",  "VoiceDial",    "VoiceMsg",    "VoiceRecord", "WebAccess",
    "WebHistory",  "WebSessions",  "WebSetup",     "WebShortcut", "WorldClock",  "WorldTime",
    "DialedCalls", "Headlines",    "HomeKeys",     "HomeScreen",  "LockKeyPad",  "MF-Animation",
    "MF-Graphics", "MF-Music",     "MF-Picture",   "MF-Ringtone", "MF-Scrsaver", "MF-Sounds",
    "MF-Videos",   "MF-VoiceNote", "MF-Wallpaper", "PBK-NewEnt",  "PERS-MMenu",  "ReceivedCalls",
    "ScrSaver",    "SetAlarm",     "WallPaper",    "MFlashFiles", "MFlashGames", "MFlashKaroke",
    "MFlashVshow", "MFlashIncomp",
};

struct DisplayNameException {
  std::string_view identifier;
  std::string_view displayName;
};
constexpr std::array<DisplayNameException, 3> kBuiltInDisplayNames = {{
    {"AirplaneMod", "AirplnMode [A630]"},
    {"AlarmClcok", "AlarmClock [old]"},
    {"Mutilmedia", "Multimedia"},
}};
// The built-in shortcut items are the last ones, from "DialedCalls" on.
constexpr std::size_t kFirstBuiltInShortcut = 126;

std::string BuiltInDisplayName(std::size_t position) {
  const std::string_view identifier = kBuiltInIdentifiers[position];
  for (const auto& exception : kBuiltInDisplayNames)
    if (exception.identifier == identifier) return std::string(exception.displayName);
  std::string name(identifier);
  if (position >= kFirstBuiltInShortcut) name += kAppendedShortcutSuffix;
  return name;
}

std::string SkippedLineWarning(std::size_t lineNumber) {
  return "itembase.dat line " + std::to_string(lineNumber) + " has no \";\" and was skipped";
}

std::string TooManyEntriesWarning() {
  return "itembase.dat holds more than " + std::to_string(kMaxItemBaseEntries) +
         " items; only the first " + std::to_string(kMaxItemBaseEntries) + " are used";
}

}  // namespace

const std::vector<ItemBaseEntry>& BuiltInItemBase() {
  static const std::vector<ItemBaseEntry> entries = [] {
    std::vector<ItemBaseEntry> built;
    for (std::size_t i = 0; i < kBuiltInIdentifiers.size(); ++i)
      built.push_back({std::string(kBuiltInIdentifiers[i]), BuiltInDisplayName(i), true});
    return built;
  }();
  return entries;
}

ParsedItemBase ParseItemBase(std::string_view text) {
  ParsedItemBase parsed;
  const std::vector<std::string> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t separator = line.find(kSeparator);
    if (separator == std::string::npos) {
      parsed.warnings.push_back(SkippedLineWarning(i + 1));
      continue;
    }
    if (parsed.entries.size() == kMaxItemBaseEntries) {
      parsed.warnings.push_back(TooManyEntriesWarning());
      break;
    }
    parsed.entries.push_back({line.substr(0, separator), line.substr(separator + 1), true});
  }
  return parsed;
}

std::string FormatItemBase(const std::vector<ItemBaseEntry>& entries) {
  std::string text;
  for (const ItemBaseEntry& entry : entries)
    text.append(entry.identifier)
        .append(1, kSeparator)
        .append(entry.displayName)
        .append(kLineBreak);
  return text;
}

bool AppendableIdentifier(std::string_view identifier) {
  return !identifier.empty() && identifier.find(kSeparator) == std::string_view::npos &&
         !HasControlByte(identifier);
}

std::string UnstorableIdentifierError(const std::string& identifier) {
  return "Cannot add " + QuotedForMessage(identifier) +
         " to itembase.dat: an item name may not be empty or hold \";\" or control characters";
}

std::string AppendedItemBaseLine(const std::string& identifier, bool isShortcut) {
  std::string line = identifier + kSeparator + identifier;
  if (isShortcut) line += kAppendedShortcutSuffix;
  return line;
}

}  // namespace menuforge

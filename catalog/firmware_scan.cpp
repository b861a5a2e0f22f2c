#include "catalog/firmware_scan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#include "catalog/firmware_image.h"
#include "catalog/item_base_file.h"

namespace menuforge {
namespace {

constexpr std::string_view kVersionMarker = "@(#)";
constexpr std::string_view kItemTableStart = "2CLICK";
constexpr std::array<char, 7> kTableEndMarker = {'\0',   '\xFF', '\xFF', '\xFF',
                                                 '\xFF', '\xFF', '\xFF'};
constexpr std::string_view kShortcutFallbackStart = "Dialed";

constexpr std::size_t kVersionLength = 100;
// The entry size shows in the 20th byte behind "2CLICK": data in a 20-byte entry, still the
// name's padding in a 36-byte one.
constexpr std::size_t kEntrySizeProbe = 20;
constexpr std::size_t kShortcutEntrySize = 52;
constexpr std::size_t kFallbackEntrySize = 44;
constexpr std::size_t kFallbackSearchLength = 512;
// The longest pattern of the first pass, "@(#)R" and a digit or "2CLICK", is six bytes: a match
// may start up to five bytes before the end of a block and end in the next.
constexpr std::size_t kCarriedBytes = 5;

constexpr char kNoVersionMarker[] = "the image holds no firmware version (\"@(#)R\" or \"@(#)T\")";
constexpr char kVersionWithoutEnd[] = "the firmware version has no \"_\" within 100 bytes";
constexpr char kUnusableVersion[] = "the firmware version holds bytes a profile name cannot hold";
constexpr char kNoItemTable[] = "the image holds no item table (\"2CLICK\")";
constexpr char kItemTableCut[] = "the item table is cut off by the end of the image";
constexpr char kNoTableEnd[] = "no table end marker within 64 KB behind the item table";

std::string NameWithoutEnd(std::uint64_t offset) {
  return "the name at offset " + std::to_string(offset) + " does not end within its entry";
}

std::string NameLeftOut(std::uint64_t offset) {
  return "the name at offset " + std::to_string(offset) +
         " holds control bytes or \";\" and was left out";
}

bool IsCapital(std::uint8_t byte) { return byte >= 'A' && byte <= 'Z'; }
bool IsDigit(std::uint8_t byte) { return byte >= '0' && byte <= '9'; }
bool IsDigitOrCapital(std::uint8_t byte) { return IsDigit(byte) || IsCapital(byte); }

// The version names the profile's file.
bool UsableVersion(std::string_view version) {
  return !HasControlByte(version) && version.find('/') == std::string_view::npos;
}

int SharePercent(std::uint64_t part, std::uint64_t whole) {
  if (part >= whole) return 100;
  return static_cast<int>((part * 100 + whole / 2) / whole);
}

// Tries the positions [from, examined) of `bytes`; a match may run on past them. Looking for the
// first byte alone and comparing the rest only there keeps the search at the speed of memchr.
std::optional<std::size_t> Find(ByteView bytes, std::size_t examined, std::string_view pattern,
                                std::size_t from = 0) {
  const std::size_t end = std::min(bytes.size(), examined + pattern.size() - 1);
  if (end < pattern.size() || from > end - pattern.size()) return std::nullopt;
  const std::size_t starts = end - pattern.size() + 1;
  for (std::size_t at = from; at < starts; ++at) {
    const void* first = std::memchr(bytes.data() + at, pattern.front(), starts - at);
    if (first == nullptr) return std::nullopt;
    at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(first) - bytes.data());
    if (std::memcmp(bytes.data() + at + 1, pattern.data() + 1, pattern.size() - 1) == 0) return at;
  }
  return std::nullopt;
}

// "@(#)R" followed by a digit, or "@(#)T".
std::optional<std::size_t> FindVersionMarker(ByteView bytes, std::size_t examined) {
  for (auto at = Find(bytes, examined, kVersionMarker); at;
       at = Find(bytes, examined, kVersionMarker, *at + 1)) {
    const std::size_t letter = *at + kVersionMarker.size();
    if (letter >= bytes.size()) continue;
    if (bytes[letter] == 'T') return at;
    if (bytes[letter] == 'R' && letter + 1 < bytes.size() && IsDigit(bytes[letter + 1])) return at;
  }
  return std::nullopt;
}

class Scanner {
 public:
  explicit Scanner(const ScanProgress& progress) : progress_(progress) {}

  FirmwareScan Run(const std::filesystem::path& path) {
    const bool found = (image_.Open(path) || ReadFailed()) && FindMarkers() && ReadVersion() &&
                       ReadItemTable() && FindTableEnd() && ReadShortcuts();
    if (found) scan_.status = ScanStatus::Found;
    return std::move(scan_);
  }

 private:
  // The version marker and "2CLICK" in one pass over the image: both searches begin at its
  // start, and each looks for the first match.
  bool FindMarkers() {
    if (!image_.Fill(0)) return ReadFailed();
    for (;;) {
      const ByteView window = image_.window();
      const bool last = image_.windowReachesEnd();
      const std::size_t examined = last ? window.size() : window.size() - kCarriedBytes;
      if (!version_) version_ = InImage(FindVersionMarker(window, examined));
      if (!itemTable_) itemTable_ = InImage(Find(window, examined, kItemTableStart));
      if ((version_ && itemTable_) || last) break;
      if (progress_ && !progress_(SharePercent(image_.windowStart() + examined, image_.size()))) {
        scan_.status = ScanStatus::Cancelled;
        return false;
      }
      if (!image_.Advance(kCarriedBytes)) return ReadFailed();
    }
    if (!version_) return Fail(kNoVersionMarker);
    return true;
  }

  bool ReadVersion() {
    ByteView text;
    if (!image_.Read(*version_ + kVersionMarker.size(), kVersionLength, text)) return ReadFailed();
    const auto underscore = std::find(text.begin(), text.end(), '_');
    if (underscore == text.end()) return Fail(kVersionWithoutEnd);
    scan_.version.assign(text.begin(), underscore);
    if (!UsableVersion(scan_.version)) return Fail(kUnusableVersion);
    return true;
  }

  bool ReadItemTable() {
    if (!itemTable_) return Fail(kNoItemTable);
    ByteView probe;
    if (!image_.Read(*itemTable_, kEntrySizeProbe, probe)) return ReadFailed();
    if (probe.size() < kEntrySizeProbe) return Fail(kItemTableCut);
    const bool shortEntries = probe[kEntrySizeProbe - 1] != 0;
    scan_.recordLength = shortEntries ? 22 : 36;
    const std::size_t entrySize = shortEntries ? 20 : 36;

    tableEnd_ = *itemTable_;
    for (ByteView entry;; tableEnd_ += entrySize) {
      if (!image_.Read(tableEnd_, entrySize, entry)) return ReadFailed();
      if (entry.size() < entrySize || !IsDigitOrCapital(entry[0])) return true;
      if (!TakeName(entry, tableEnd_, scan_.items)) return false;
    }
  }

  // Sets shortcutTableEnd_ just behind the marker that follows the item table, and
  // shortcutGap_ to the bytes between the last shortcut entry and that point.
  bool FindTableEnd() {
    ByteView area;
    if (!image_.Read(tableEnd_, FirmwareImage::kBufferSize, area)) return ReadFailed();
    const std::string_view marker(kTableEndMarker.data(), kTableEndMarker.size());
    const std::optional<std::size_t> at = Find(area, area.size(), marker);
    if (!at) return Fail(kNoTableEnd);

    // Five bytes before the marker tell which of two layouts precedes it. They lie within the
    // image: at least one item entry stands before the marker.
    const std::uint64_t markerOffset = tableEnd_ + *at;
    ByteView layout;
    if (!image_.Read(markerOffset - 5, 5, layout)) return ReadFailed();
    const bool wideGap =
        layout.size() == 5 && layout[0] == 0 && layout[2] == 0 && layout[1] == layout[4];
    shortcutGap_ = wideGap ? 12 : 10;
    shortcutTableEnd_ = markerOffset + marker.size();
    return true;
  }

  // Backwards from the entry that ends shortcutGap_ bytes before the end of the marker.
  bool ReadShortcuts() {
    bool took = false;
    for (std::uint64_t end = shortcutTableEnd_ - shortcutGap_; end >= kShortcutEntrySize;
         end -= kShortcutEntrySize) {
      const std::uint64_t at = end - kShortcutEntrySize;
      ByteView entry;
      if (!image_.Read(at, kShortcutEntrySize, entry)) return ReadFailed();
      if (entry.size() < kShortcutEntrySize || !IsCapital(entry[0])) break;
      if (!TakeName(entry, at, scan_.shortcuts)) return false;
      took = true;
    }
    return took || ReadFallbackShortcuts();
  }

  // Without a shortcut table before the marker, the table starting with "Dialed" behind it.
  bool ReadFallbackShortcuts() {
    ByteView area;
    if (!image_.Read(shortcutTableEnd_, kFallbackSearchLength, area)) return ReadFailed();
    const std::size_t length = kShortcutFallbackStart.size();
    std::optional<std::uint64_t> start;
    for (std::size_t r = 0; r < kFallbackSearchLength - length && r + length <= area.size(); r += 2)
      if (std::memcmp(area.data() + r, kShortcutFallbackStart.data(), length) == 0) {
        start = shortcutTableEnd_ + r;
        break;
      }
    if (!start) return true;
    for (std::uint64_t at = *start;; at += kFallbackEntrySize) {
      ByteView entry;
      if (!image_.Read(at, kFallbackEntrySize, entry)) return ReadFailed();
      if (entry.size() < kFallbackEntrySize || !IsDigitOrCapital(entry[0])) return true;
      if (!TakeName(entry, at, scan_.shortcuts)) return false;
    }
  }

  // The name is the entry's text up to its first zero byte; one that would not survive as a
  // line of itembase.dat and a profile is left out.
  bool TakeName(ByteView entry, std::uint64_t offset, std::vector<std::string>& names) {
    const auto zero = std::find(entry.begin(), entry.end(), 0);
    if (zero == entry.end()) return Fail(NameWithoutEnd(offset));
    std::string name(entry.begin(), zero);
    if (!AppendableIdentifier(name))
      scan_.warnings.push_back(NameLeftOut(offset));
    else
      names.push_back(std::move(name));
    return true;
  }

  std::optional<std::uint64_t> InImage(std::optional<std::size_t> inWindow) const {
    if (!inWindow) return std::nullopt;
    return image_.windowStart() + *inWindow;
  }

  bool Fail(std::string message) {
    scan_.status = ScanStatus::Failed;
    scan_.message = std::move(message);
    return false;
  }

  bool ReadFailed() {
    scan_.status = ScanStatus::ReadFailed;
    scan_.message = image_.error();
    return false;
  }

  const ScanProgress& progress_;
  FirmwareImage image_;
  FirmwareScan scan_;
  std::optional<std::uint64_t> version_;
  std::optional<std::uint64_t> itemTable_;
  std::uint64_t tableEnd_ = 0;
  std::uint64_t shortcutTableEnd_ = 0;
  std::uint64_t shortcutGap_ = 0;
};

}  // namespace

FirmwareScan ScanFirmwareImage(const std::filesystem::path& image, const ScanProgress& progress) {
  return Scanner(progress).Run(image);
}

}  // namespace menuforge

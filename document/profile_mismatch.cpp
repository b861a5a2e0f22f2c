#include "document/profile_mismatch.h"

#include <algorithm>

#include "base/user_messages.h"
#include "menu/mma_saver.h"

namespace menuforge {
namespace {

constexpr std::size_t kMostNamesInStatus = 3;

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += separator;
    joined += part;
  }
  return joined;
}

// Names come from files and profiles: a hostile one must not flood a message.
std::vector<std::string> Shortened(const std::vector<std::string>& names) {
  std::vector<std::string> shortened;
  for (const std::string& name : names) shortened.push_back(ShortenedForMessage(name));
  return shortened;
}

}  // namespace

std::string ProfileMismatchText(const std::vector<std::string>& unknownItems) {
  std::string text = kProfileMismatchOnSaveText;
  if (unknownItems.empty()) return text;
  return text + "\r\n" + kUnknownItemsHeading + "\r\n" +
         Joined(ShownWarnings(Shortened(unknownItems)), "\r\n");
}

std::string ProfileExclusionStatusText(const std::vector<std::string>& unknownItems) {
  if (unknownItems.empty()) return {};
  const std::size_t count = unknownItems.size();
  const std::size_t shown = std::min(count, kMostNamesInStatus);
  std::string text = kProfileExclusionPrefix + std::to_string(count) +
                     (count == 1 ? " item" : " items") + " of this menu: " +
                     Joined(Shortened({unknownItems.begin(), unknownItems.begin() + shown}), ", ");
  if (count > shown) text += " \u2026 and " + std::to_string(count - shown) + " more";
  return text;
}

}  // namespace menuforge

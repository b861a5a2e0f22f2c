// What to say when the profile in use does not know items of the open menu: on a save it
// refuses, and at once when another profile is chosen.
#pragma once

#include <string>
#include <vector>

namespace menuforge {

inline constexpr char kUnknownItemsHeading[] = "Items the profile does not know:";
inline constexpr char kProfileExclusionPrefix[] = "The profile does not know ";

// The refusal of a save: "mma_ucp doesn't match current profile", then the heading and the
// unknown items one a line, the first ten and "… and N more".
std::string ProfileMismatchText(const std::vector<std::string>& unknownItems);

// A short form for the status bar: the count and the first few names, or nothing when the
// profile knows every item.
std::string ProfileExclusionStatusText(const std::vector<std::string>& unknownItems);

}  // namespace menuforge

// The main window's profile selector: "Default", the listed profiles, then "Create new...". The
// catalogue knows which profile is applied; the selector only shows it and says what a pick means.
#pragma once

#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace menuforge {

inline constexpr char kCreateProfileEntry[] = "Create new...";

std::vector<std::string> ProfileSelectorEntries(const Catalog& catalog);

// The entry showing the applied profile: -1 while none was chosen; a profile that is not listed
// shows on "Create new...".
int ProfileSelectorIndex(const Catalog& catalog);

struct ProfilePick {
  enum class Kind { Nothing, Default, Profile, CreateNew };
  Kind kind = Kind::Nothing;
  std::string name;  // the profile, for Kind::Profile
  bool operator==(const ProfilePick&) const = default;
};

// What picking the entry at `index` asks for; Nothing outside the list.
ProfilePick ProfilePickAt(const Catalog& catalog, int index);

}  // namespace menuforge

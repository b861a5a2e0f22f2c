#include "app/core/profile_selector.h"

#include <algorithm>

namespace menuforge {

std::vector<std::string> ProfileSelectorEntries(const Catalog& catalog) {
  std::vector<std::string> entries{kDefaultProfileEntry};
  const std::vector<std::string>& names = catalog.profileNames();
  entries.insert(entries.end(), names.begin(), names.end());
  entries.emplace_back(kCreateProfileEntry);
  return entries;
}

int ProfileSelectorIndex(const Catalog& catalog) {
  switch (catalog.profileSource()) {
    case Catalog::ProfileSource::None: return -1;
    case Catalog::ProfileSource::Default: return 0;
    case Catalog::ProfileSource::Named: break;
  }
  const std::vector<std::string>& names = catalog.profileNames();
  const auto listed = std::find(names.begin(), names.end(), catalog.profileName());
  return static_cast<int>(listed - names.begin()) + 1;
}

ProfilePick ProfilePickAt(const Catalog& catalog, int index) {
  const std::vector<std::string>& names = catalog.profileNames();
  if (index < 0 || static_cast<std::size_t>(index) > names.size() + 1) return {};
  if (index == 0) return {ProfilePick::Kind::Default, {}};
  if (static_cast<std::size_t>(index) == names.size() + 1)
    return {ProfilePick::Kind::CreateNew, {}};
  return {ProfilePick::Kind::Profile, names[static_cast<std::size_t>(index) - 1]};
}

}  // namespace menuforge

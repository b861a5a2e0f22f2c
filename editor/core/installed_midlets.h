// The MIDlets installed on the phone and on its memory card, as the item editor offers them for
// "Application start".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace menuforge {

inline constexpr std::size_t kMaxInstalledMidletsPerList = 30;

struct InstalledMidlet {
  std::string midlet1;  // 8-bit texts, as the Java tables hold them
  std::string name;
  std::string vendor;
  bool empty() const { return midlet1.empty() && name.empty() && vendor.empty(); }
  bool operator==(const InstalledMidlet&) const = default;
};

struct InstalledMidlets {
  std::vector<InstalledMidlet> phone;
  bool phoneRead = false;
  std::vector<InstalledMidlet> card;
  bool cardRead = false;
};

}  // namespace menuforge

// The order people expect of file names: runs of digits compare by their value, so icon_2 comes
// before icon_10; other characters compare without regard to ASCII letter case.
#pragma once

#include <string_view>

namespace menuforge {

bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace menuforge

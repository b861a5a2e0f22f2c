// The text form of a "*.prf" profile: "[mma_ucp format]", the format line, "[mma items]", then
// one item identifier per line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/format_options.h"
#include "menu/record_size.h"

namespace menuforge {

// The first fault stops reading; what was read before it stays valid.
enum class ProfileFault { None, Formatting, RecordLength, IconMarker, C698pFix };

struct ProfileContents {
  ProfileFault fault = ProfileFault::None;
  std::optional<RecordSize> recordLength;
  std::optional<IconAttribute> iconMarker;
  std::optional<bool> c698pFix;
  std::vector<std::string> items;  // only filled when there is no fault
};

ProfileContents ParseProfile(std::string_view text);
// The whole file, CR LF ended, around a format line such as "22 06 1".
std::string FormatProfile(std::string_view formatLine, const std::vector<std::string>& items);
// The message shown for a fault of the file's layout; empty for ProfileFault::None.
std::string ProfileFaultMessage(ProfileFault fault);

// Decimal text to the record length, compared whole (278 is not 22); anything that is not a
// whole number in the 32-bit range counts as 0.
std::int64_t RecordLengthValue(std::string_view field);

}  // namespace menuforge

#include "catalog/profile_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/local_file.h"

namespace menuforge {
namespace {

constexpr char kFormatHeader[] = "[mma_ucp format]";
constexpr char kItemsHeader[] = "[mma items]";
constexpr char kLineBreak[] = "\r\n";

constexpr char kInvalidFormatting[] = "Invalid profile formatting";
// Said after the record size check's own text: what a faulty profile falls back to.
constexpr char kRecordLengthAssumed[] = " (36 byte assumed)";
constexpr char kInvalidIconMarker[] = "Invalid user icon marker (0C assumed)";
constexpr char kInvalidC698pFix[] = "C698p fix can be either 1 (ON) or 0 (OFF - assumed)";

// Takes the field that starts at `position` and moves past it and the blanks that follow.
std::string_view NextField(std::string_view line, std::size_t& position) {
  const std::size_t start = std::min(position, line.size());
  std::size_t end = line.find(' ', start);
  if (end == std::string_view::npos) end = line.size();
  position = line.find_first_not_of(' ', end);
  if (position == std::string_view::npos) position = line.size();
  return line.substr(start, end - start);
}

}  // namespace

std::int64_t RecordLengthValue(std::string_view field) {
  bool negative = false;
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) {
    negative = field.front() == '-';
    field.remove_prefix(1);
  }
  if (field.empty()) return 0;
  std::int64_t value = 0;
  for (const char c : field) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return 0;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return 0;
  return value;
}

ProfileContents ParseProfile(std::string_view text) {
  ProfileContents profile;
  const std::vector<std::string> lines = SplitLines(text);
  const auto line = [&lines](std::size_t index) {
    return index < lines.size() ? std::string_view(lines[index]) : std::string_view();
  };

  if (line(0) != kFormatHeader) {
    profile.fault = ProfileFault::Formatting;
    return profile;
  }

  std::size_t position = 0;
  const std::int64_t recordLength = RecordLengthValue(NextField(line(1), position));
  if (recordLength > 0)
    profile.recordLength = RecordSizeOf(static_cast<std::uint64_t>(recordLength));
  if (!profile.recordLength) {
    profile.fault = ProfileFault::RecordLength;
    return profile;
  }

  const std::string_view marker = NextField(line(1), position);
  if (marker == "06") {
    profile.iconMarker = IconAttribute::Tag06;
  } else if (marker == "0C") {
    profile.iconMarker = IconAttribute::Tag0C;
  } else {
    profile.fault = ProfileFault::IconMarker;
    return profile;
  }

  const std::string_view fix = NextField(line(1), position);
  if (fix != "0" && fix != "1") {
    profile.fault = ProfileFault::C698pFix;
    return profile;
  }
  profile.c698pFix = fix == "1";

  if (line(2) != kItemsHeader) {
    profile.fault = ProfileFault::Formatting;
    return profile;
  }
  if (lines.size() > 3) profile.items.assign(lines.begin() + 3, lines.end());
  return profile;
}

std::string FormatProfile(std::string_view formatLine, const std::vector<std::string>& items) {
  std::string text;
  for (const std::string_view line :
       {std::string_view(kFormatHeader), formatLine, std::string_view(kItemsHeader)})
    text.append(line).append(kLineBreak);
  for (const std::string& item : items) text.append(item).append(kLineBreak);
  return text;
}

std::string ProfileFaultMessage(ProfileFault fault) {
  switch (fault) {
    case ProfileFault::None: return {};
    case ProfileFault::Formatting: return kInvalidFormatting;
    case ProfileFault::RecordLength:
      return std::string(kInvalidRecordLengthText) + kRecordLengthAssumed;
    case ProfileFault::IconMarker: return kInvalidIconMarker;
    case ProfileFault::C698pFix: return kInvalidC698pFix;
  }
  return {};
}

}  // namespace menuforge

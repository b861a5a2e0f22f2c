// The format options a command line asks for, laid over those the menu already has.
#pragma once

#include <optional>

#include "cli/arguments.h"
#include "menu/format_options.h"
#include "menu/record_size.h"

namespace menuforge::cli {

inline constexpr OptionSpec kRecordsOption{"--records", true};
inline constexpr OptionSpec kC698pOption{"--c698p", false};
inline constexpr OptionSpec kNoC698pOption{"--no-c698p", false};
inline constexpr OptionSpec kIconAttributeOption{"--icon-attr", true};
inline constexpr OptionSpec kSaveAllOption{"--save-all", false};

struct FormatChoice {
  std::optional<RecordSize> recordSize;
  std::optional<bool> c698pFix;
  std::optional<IconAttribute> iconAttribute;
  bool saveAllData = false;

  // As the window's controls would: a record size selects the save mode first, then the fix and
  // the icon attribute change only where that mode lets them (UsageError otherwise).
  void ApplyTo(FormatOptions& options) const;
};

// Checks the values of the options; throws UsageError.
FormatChoice ReadFormatChoice(const ParsedArguments& arguments);

}  // namespace menuforge::cli

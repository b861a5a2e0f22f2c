#include "cli/format_choice.h"

namespace menuforge::cli {
namespace {

constexpr char kBadIconAttribute[] = "--icon-attr must be 06 or 0C";
constexpr char kBothC698p[] = "--c698p and --no-c698p exclude each other";
constexpr char kC698pNeeds22[] =
    "the c698p fix can only be changed with 22-byte records (use --records 22)";
constexpr char kIconAttributeNeeds22[] =
    "the custom icon attribute can only be 06 with 22-byte records (use --records 22)";

}  // namespace

void FormatChoice::ApplyTo(FormatOptions& options) const {
  if (recordSize) options.SelectSaveMode(*recordSize);
  if (c698pFix && *c698pFix != options.c698pFix) {
    if (!options.c698pEnabled) throw UsageError(kC698pNeeds22);
    options.c698pFix = *c698pFix;
  }
  if (iconAttribute && *iconAttribute != options.iconAttribute) {
    if (!options.iconAttributeEnabled) throw UsageError(kIconAttributeNeeds22);
    options.iconAttribute = *iconAttribute;
  }
  if (saveAllData) options.saveAllData = true;
}

FormatChoice ReadFormatChoice(const ParsedArguments& arguments) {
  FormatChoice choice;
  if (const auto records = arguments.Value(kRecordsOption.name)) {
    choice.recordSize = ParseRecordSize(*records);
    if (!choice.recordSize)
      throw UsageError(std::string(kRecordsOption.name) + ": " + kInvalidRecordLengthText);
  }
  if (arguments.Has(kC698pOption.name) && arguments.Has(kNoC698pOption.name))
    throw UsageError(kBothC698p);
  if (arguments.Has(kC698pOption.name)) choice.c698pFix = true;
  if (arguments.Has(kNoC698pOption.name)) choice.c698pFix = false;
  if (const auto attribute = arguments.Value(kIconAttributeOption.name)) {
    if (*attribute == "06")
      choice.iconAttribute = IconAttribute::Tag06;
    else if (*attribute == "0C")
      choice.iconAttribute = IconAttribute::Tag0C;
    else
      throw UsageError(kBadIconAttribute);
  }
  choice.saveAllData = arguments.Has(kSaveAllOption.name);
  return choice;
}

}  // namespace menuforge::cli

#include "menu/comparison_lines.h"

namespace menuforge {
namespace {

constexpr char kNoValue[] = "none";
constexpr char kFormatPlace[] = "format";

// Control bytes escaped as quoted texts have them, without the quotes.
std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      out += "\\x" + ByteToHex(byte);
    else
      out += c;
  }
  return out;
}

std::string ShownValue(const std::optional<FieldValue>& value) {
  if (!value) return kNoValue;
  return value->isText ? QuotedFieldText(value->text) : Escaped(value->text);
}

std::string ShownPlace(const EntryPlace& place) {
  return ShownEntryPath(place.FolderNames()) + " #" + std::to_string(place.Position());
}

void AddFields(const std::string& place, const std::vector<FieldDifference>& fields,
               std::size_t entry, std::vector<ComparisonLine>& lines) {
  for (const FieldDifference& field : fields)
    lines.push_back({"~ " + place + ": " + field.field + ' ' + ShownValue(field.before) + " -> " +
                         ShownValue(field.after),
                     entry});
}

}  // namespace

std::string QuotedFieldText(std::string_view utf8) {
  std::string quoted = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return Escaped(quoted) + '"';
}

std::string ShownEntryPath(const std::vector<std::string>& names) {
  const bool inMainMenu = names.size() > 1 && names.front() == kMenuRootDisplayName;
  std::string path;
  for (std::size_t i = inMainMenu ? 1 : 0; i < names.size(); ++i)
    path += (path.empty() ? "" : "/") + Escaped(names[i]);
  return path;
}

std::vector<ComparisonLine> ComparisonLines(const MenuComparison& comparison) {
  std::vector<ComparisonLine> lines;
  AddFields(kFormatPlace, comparison.format, kNoComparedEntry, lines);
  for (std::size_t i = 0; i < comparison.entries.size(); ++i) {
    const EntryDifference& entry = comparison.entries[i];
    const std::string path = ShownEntryPath(entry.place().names);
    switch (entry.change) {
      case EntryChange::Added: lines.push_back({"+ " + path, i}); break;
      case EntryChange::Removed: lines.push_back({"- " + path, i}); break;
      case EntryChange::Moved:
        lines.push_back({"> " + path + ": from " + ShownPlace(*entry.before) + " to " +
                             ShownPlace(*entry.after),
                         i});
        break;
      case EntryChange::Changed: break;
    }
    AddFields(path, entry.fields, i, lines);
  }
  return lines;
}

}  // namespace menuforge

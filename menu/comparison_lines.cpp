#include "menu/comparison_lines.h"

#include "base/terminal_text.h"

namespace menuforge {
namespace {

constexpr char kNoValue[] = "none";
constexpr char kFormatPlace[] = "format";
constexpr char kChangeArrow[] = " \u2192 ";

// Quoted texts escape their quotes and backslashes too, so that a text cannot end its quote.
void AppendEscaped(std::string_view text, bool quoting, std::string& out) {
  AppendTerminalSafe(text, quoting ? "\"\\" : "", out);
}

// What a terminal would act on escaped as quoted texts have it, without the quotes.
std::string Escaped(std::string_view text) { return TerminalSafe(text); }

void AppendValue(const std::optional<FieldValue>& value, std::string& out) {
  if (!value) {
    out += kNoValue;
  } else if (!value->shown.empty()) {
    AppendEscaped(value->shown, false, out);
  } else if (value->isText) {
    out += '"';
    AppendEscaped(value->text, true, out);
    out += '"';
  } else {
    AppendEscaped(value->text, false, out);
  }
}

void AddFields(const std::string& place, const std::vector<FieldDifference>& fields,
               std::size_t entry, std::vector<ComparisonLine>& lines) {
  for (const FieldDifference& field : fields) {
    ComparisonLine& line = lines.emplace_back();
    line.entry = entry;
    line.text.reserve(place.size() + field.label.size() + 16 +
                      (field.before ? field.before->text.size() : 0) +
                      (field.after ? field.after->text.size() : 0));
    line.text.append("~ ").append(place).append(": ").append(field.label).append(": ");
    AppendValue(field.before, line.text);
    line.text += kChangeArrow;
    AppendValue(field.after, line.text);
  }
}

}  // namespace

std::string ShownEntryPath(const std::vector<std::string>& names) {
  const bool inMainMenu = names.size() > 1 && names.front() == kMenuRootDisplayName;
  std::string path;
  for (std::size_t i = inMainMenu ? 1 : 0; i < names.size(); ++i)
    path += (path.empty() ? "" : "/") + Escaped(names[i]);
  return path;
}

std::string ShownValue(const std::optional<FieldValue>& value) {
  std::string out;
  AppendValue(value, out);
  return out;
}

std::string ShownPlace(const EntryPlace& place) {
  return ShownEntryPath(place.FolderNames()) + " #" + std::to_string(place.Position());
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

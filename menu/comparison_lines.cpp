#include "menu/comparison_lines.h"

#include <array>

namespace menuforge {
namespace {

constexpr char kNoValue[] = "none";
constexpr char kFormatPlace[] = "format";

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

// Bytes escaped inside quotes: control bytes, '"' and '\\'.
constexpr std::array<bool, 256> kQuoteEscaped = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = true;
  table[0x7F] = table['"'] = table['\\'] = true;
  return table;
}();

void AppendEscaped(std::string_view text, bool quoting, std::string& out) {
  out.reserve(out.size() + text.size());
  std::size_t plain = 0;  // start of the run not yet appended
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!kQuoteEscaped[static_cast<unsigned char>(c)]) continue;
    const bool quote = !IsControl(c);
    if (quote && !quoting) continue;
    out.append(text, plain, i - plain);
    plain = i + 1;
    if (quote) {
      out += '\\';
      out += c;
    } else {
      out += "\\x";
      out += ByteToHex(static_cast<std::uint8_t>(c));
    }
  }
  out.append(text, plain);
}

// Control bytes escaped as quoted texts have them, without the quotes.
std::string Escaped(std::string_view text) {
  std::string out;
  AppendEscaped(text, false, out);
  return out;
}

void AppendValue(const std::optional<FieldValue>& value, std::string& out) {
  if (!value) {
    out += kNoValue;
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
    line.text.reserve(place.size() + field.field.size() + 16 +
                      (field.before ? field.before->text.size() : 0) +
                      (field.after ? field.after->text.size() : 0));
    line.text.append("~ ").append(place).append(": ").append(field.field).append(" ");
    AppendValue(field.before, line.text);
    line.text += " -> ";
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

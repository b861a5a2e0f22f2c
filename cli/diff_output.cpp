#include "cli/diff_output.h"

#include <nlohmann/json.hpp>

#include "menu/comparison_lines.h"
#include "menu_json/change_list_json.h"

namespace menuforge::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* ChangeName(EntryChange change) {
  switch (change) {
    case EntryChange::Added: return "added";
    case EntryChange::Removed: return "removed";
    case EntryChange::Moved: return "moved";
    case EntryChange::Changed: return "changed";
  }
  return "";
}

Json JsonValue(const std::optional<FieldValue>& value) {
  return value ? Json(value->text) : Json(nullptr);
}

Json JsonFields(const std::vector<FieldDifference>& fields) {
  Json list = Json::array();
  for (const FieldDifference& field : fields)
    list.push_back({{"field", field.field},
                    {"before", JsonValue(field.before)},
                    {"after", JsonValue(field.after)}});
  return list;
}

Json JsonPlace(const std::optional<EntryPlace>& place) {
  if (!place) return nullptr;
  return {{"folder", place->FolderNames()}, {"position", place->Position()}};
}

}  // namespace

std::string DiffSummary(const MenuComparison& comparison, bool identicalBytes) {
  if (identicalBytes) return kIdenticalText;
  if (comparison.Same()) return kSameMenuText;
  if (comparison.entries.empty()) return kFormatOnlyText;
  return {};
}

void PrintDiffLines(const MenuComparison& comparison, bool identicalBytes, std::ostream& out) {
  if (const std::string summary = DiffSummary(comparison, identicalBytes); !summary.empty())
    out << summary << '\n';
  for (const ComparisonLine& line : ComparisonLines(comparison)) out << line.text << '\n';
}

void PrintDiffJson(const MenuComparison& comparison, bool identicalBytes, std::ostream& out,
                   const ChangeList* carried) {
  const std::string summary = DiffSummary(comparison, identicalBytes);
  Json entries = Json::array();
  for (const EntryDifference& entry : comparison.entries)
    entries.push_back({{"change", ChangeName(entry.change)},
                       {"identifier", entry.identifier},
                       {"path", entry.place().names},
                       {"from", JsonPlace(entry.before)},
                       {"to", JsonPlace(entry.after)},
                       {"fields", JsonFields(entry.fields)}});
  Json document = {{"same", comparison.Same()},
                         {"identical-bytes", identicalBytes},
                         {"summary", summary.empty() ? Json(nullptr) : Json(summary)},
                         {"format", JsonFields(comparison.format)},
                         {"entries", std::move(entries)}};
  if (carried) AddCarriedChanges(*carried, document);
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace menuforge::cli

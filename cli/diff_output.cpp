#include "cli/diff_output.h"

#include <algorithm>
#include <cstdint>

#include "cli/json_text.h"
#include "menu/comparison_lines.h"
#include "menu_json/change_list_json.h"

namespace menuforge::cli {
namespace {

constexpr const char* ChangeName(EntryChange change) {
  switch (change) {
    case EntryChange::Added: return "added";
    case EntryChange::Removed: return "removed";
    case EntryChange::Moved: return "moved";
    case EntryChange::Changed: return "changed";
  }
  return "";
}

void JsonValue(const std::optional<FieldValue>& value, JsonText& json) {
  if (value)
    json.String(value->text);
  else
    json.Null();
}

// A value made as a document, written in the same layout.
void JsonDocument(const Json& value, JsonText& json);

void JsonMembers(const Json& object, JsonText& json) {
  for (const auto& [key, member] : object.items()) {
    json.Key(key);
    JsonDocument(member, json);
  }
}

void JsonDocument(const Json& value, JsonText& json) {
  if (value.is_object()) {
    json.BeginObject();
    JsonMembers(value, json);
    json.EndObject();
  } else if (value.is_array()) {
    json.BeginArray();
    for (const Json& element : value) JsonDocument(element, json);
    json.EndArray();
  } else if (value.is_string()) {
    json.String(value.get_ref<const std::string&>());
  } else if (value.is_boolean()) {
    json.Bool(value.get<bool>());
  } else if (value.is_number_unsigned() ||
             (value.is_number_integer() && value.get<std::int64_t>() >= 0)) {
    json.Number(value.get<std::size_t>());
  } else {
    json.Null();
  }
}

// With `carried`, each field also holds its bytes before and after, as `apply` needs them.
void JsonFields(const std::vector<FieldDifference>& fields, JsonText& json,
                const CarriedChange* carried = nullptr) {
  json.BeginArray();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldDifference& field = fields[i];
    json.BeginObject();
    json.Key("field");
    json.String(field.field);
    json.Key("label");
    json.String(field.label);
    json.Key("before");
    JsonValue(field.before, json);
    json.Key("after");
    JsonValue(field.after, json);
    if (carried && i < carried->fields.size())
      JsonMembers(CarriedFieldMembers(carried->fields[i]), json);
    json.EndObject();
  }
  json.EndArray();
}

void JsonNames(const std::vector<std::string>& names, JsonText& json) {
  json.BeginArray();
  for (const std::string& name : names) json.String(name);
  json.EndArray();
}

void JsonPlace(const std::optional<EntryPlace>& place, JsonText& json) {
  if (!place) return json.Null();
  json.BeginObject();
  json.Key("folder");
  JsonNames(place->FolderNames(), json);
  json.Key("position");
  json.Number(place->Position());
  json.EndObject();
}

}  // namespace

std::string DiffSummary(const MenuComparison& comparison, bool identicalBytes) {
  if (identicalBytes) return kIdenticalText;
  if (comparison.Same()) return kSameMenuText;
  // Records in no folder are more than format, though no entry holds them.
  const bool formatOnly =
      std::none_of(comparison.format.begin(), comparison.format.end(),
                   [](const FieldDifference& field) { return field.field == kUnreadRecordsField; });
  if (comparison.entries.empty() && formatOnly) return kFormatOnlyText;
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
  JsonText json(out);
  json.BeginObject();
  json.Key("same");
  json.Bool(comparison.Same());
  json.Key("identical-bytes");
  json.Bool(identicalBytes);
  json.Key("summary");
  if (summary.empty())
    json.Null();
  else
    json.String(summary);
  json.Key("format");
  JsonFields(comparison.format, json);
  json.Key("entries");
  json.BeginArray();
  std::size_t index = 0;
  for (const EntryDifference& entry : comparison.entries) {
    json.BeginObject();
    json.Key("change");
    json.String(ChangeName(entry.change));
    json.Key("identifier");
    json.String(entry.identifier);
    json.Key("path");
    JsonNames(entry.place().names, json);
    json.Key("from");
    JsonPlace(entry.before, json);
    json.Key("to");
    JsonPlace(entry.after, json);
    json.Key("fields");
    const CarriedChange* change =
        carried && index < carried->entries.size() ? &carried->entries[index] : nullptr;
    JsonFields(entry.fields, json, change);
    if (change) JsonMembers(CarriedEntryMembers(*change), json);
    json.EndObject();
    ++index;
  }
  json.EndArray();
  json.EndObject();
  json.Finish();
}

}  // namespace menuforge::cli

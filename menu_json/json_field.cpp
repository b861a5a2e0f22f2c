#include "menu_json/json_field.h"

#include <algorithm>

#include "base/user_messages.h"

namespace menuforge::cli {
namespace {

constexpr char kNotObject[] = "expected an object";
constexpr char kNotArray[] = "expected an array";
constexpr char kNotBool[] = "expected true or false";
constexpr char kNotString[] = "expected a string";
constexpr char kMissing[] = "missing member ";
constexpr char kUnknownMember[] = "unknown member ";

std::string QuotedKey(std::string_view key) { return QuotedForMessage(key); }

}  // namespace

void JsonField::Fail(const std::string& problem) const {
  throw JsonMenuError((where_.empty() ? std::string("top level") : where_) + ": " + problem);
}

void JsonField::RequireObject() const {
  if (!value_.is_object()) Fail(kNotObject);
}

void JsonField::ExpectObject(std::initializer_list<std::string_view> allowedKeys) const {
  RequireObject();
  for (const auto& member : value_.items())
    if (std::find(allowedKeys.begin(), allowedKeys.end(), member.key()) == allowedKeys.end())
      Fail(kUnknownMember + QuotedKey(member.key()));
}

bool JsonField::Has(std::string_view key) const { return value_.contains(key); }

JsonField JsonField::Member(std::string_view key) const {
  if (!Has(key)) Fail(kMissing + QuotedKey(key));
  const std::string where = where_.empty() ? std::string(key) : where_ + "." + std::string(key);
  return JsonField(value_.find(key).value(), where);
}

std::optional<JsonField> JsonField::OptionalMember(std::string_view key) const {
  if (!Has(key)) return std::nullopt;
  return Member(key);
}

std::vector<JsonField> JsonField::Elements(std::size_t maxCount, std::string_view what) const {
  if (!value_.is_array()) Fail(kNotArray);
  if (value_.size() > maxCount)
    Fail("more than " + std::to_string(maxCount) + " " + std::string(what) + " (" +
         std::to_string(value_.size()) + ")");
  std::vector<JsonField> elements;
  for (std::size_t i = 0; i < value_.size(); ++i)
    elements.emplace_back(value_[i], where_ + "[" + std::to_string(i) + "]");
  return elements;
}

std::uint64_t JsonField::Unsigned(std::uint64_t max) const {
  if (!value_.is_number_unsigned() || value_.get<std::uint64_t>() > max)
    Fail("expected a whole number from 0 to " + std::to_string(max));
  return value_.get<std::uint64_t>();
}

bool JsonField::Bool() const {
  if (!value_.is_boolean()) Fail(kNotBool);
  return value_.get<bool>();
}

const std::string& JsonField::String() const {
  if (!value_.is_string()) Fail(kNotString);
  return value_.get_ref<const std::string&>();
}

std::string JsonField::Latin1() const {
  Result<std::string> latin1 = Utf8ToLatin1(String());
  if (!latin1) Fail(latin1.error().text);
  if (latin1->find('\0') != std::string::npos) Fail(kZeroCharacterText);
  return std::move(*latin1);
}

}  // namespace menuforge::cli

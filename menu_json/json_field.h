// A JSON value with the place it was found at, so that every fault names where it lies.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu_json/json_menu.h"

namespace menuforge::cli {

inline constexpr char kZeroCharacterText[] = "a text may not hold the character U+0000";

class JsonField {
 public:
  JsonField(const Json& value, std::string where) : value_(value), where_(std::move(where)) {}

  // Throws JsonMenuError("<where>: <problem>").
  [[noreturn]] void Fail(const std::string& problem) const;

  void RequireObject() const;
  // An object holding no members but the allowed ones.
  void ExpectObject(std::initializer_list<std::string_view> allowedKeys) const;
  bool Has(std::string_view key) const;
  bool IsNull() const { return value_.is_null(); }
  bool IsNumber() const { return value_.is_number(); }
  bool IsString() const { return value_.is_string(); }
  JsonField Member(std::string_view key) const;  // required
  std::optional<JsonField> OptionalMember(std::string_view key) const;

  // An array of at most maxCount elements; `what` names them in the fault ("chunks").
  std::vector<JsonField> Elements(std::size_t maxCount, std::string_view what) const;

  std::uint64_t Unsigned(std::uint64_t max) const;
  std::uint8_t Byte() const { return static_cast<std::uint8_t>(Unsigned(0xFF)); }
  std::uint16_t U16() const { return static_cast<std::uint16_t>(Unsigned(0xFFFF)); }
  bool Bool() const;
  const std::string& String() const;
  // A string stored as 8-bit text: Latin-1 and without zero characters.
  std::string Latin1() const;

 private:
  const Json& value_;
  std::string where_;
};

}  // namespace menuforge::cli

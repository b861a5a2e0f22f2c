// What the item editor's controls show and whether they can be used, kept apart from any
// window so that every rule about them can be run and checked without one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/core/installed_midlets.h"

namespace menuforge {

enum class IconRow : std::size_t { Animated, Static, List };
inline constexpr std::size_t kIconRowCount = 3;
inline constexpr std::array<IconRow, kIconRowCount> kIconRows = {IconRow::Animated, IconRow::Static,
                                                                 IconRow::List};

enum class IconSource { Fs, Drm };

enum class StringList : std::size_t { MenuTitle, SoftkeyTitle, ShowText };
inline constexpr std::size_t kStringListCount = 3;

enum class AttributeBox : std::size_t { Lockable, Protected, NonChangeable };
inline constexpr std::size_t kAttributeBoxCount = 3;

// The entries of "Item function:", by index.
enum class ItemFunction : std::size_t {
  None,
  UrlLink,
  ApplicationStart,
  EmulateAction,
  Shortcut,
  CallSend,
  ShowText,
};
inline constexpr std::size_t kItemFunctionCount = 7;
inline constexpr std::array<std::string_view, kItemFunctionCount> kItemFunctionNames = {
    "[None]",   "URL link",  "Application start", "Emulate action",
    "Shortcut", "Call/Send", "Show text"};

enum class FunctionField : std::size_t {
  Url,
  Midlet1,
  MidletName,
  MidletVendor,
  ActionCode,
  ShortcutData,
  Code12,
  Code13,
  Code14,
};
inline constexpr std::size_t kFunctionFieldCount = 9;

enum class EditorPage { Visual, Function };

// The widest input the fields take.
inline constexpr std::size_t kActionCodeFieldLength = 5;
inline constexpr std::size_t kShortcutFieldLength = 25;
inline constexpr std::size_t kCodeFieldLength = 3;
inline constexpr std::size_t kMaxListRows = 12;

struct ListRow {
  std::string number;  // "#" and the row count when the row was added
  std::uint8_t languageId = 1;
  std::u16string text;
  bool operator==(const ListRow&) const = default;
};

struct StringListControls {
  std::vector<ListRow> rows;
  bool listEnabled = true;
  bool addEnabled = true;
  bool editEnabled = false;
  bool deleteEnabled = false;
};

struct CheckControl {
  bool checked = false;
  bool enabled = true;
};

struct IconRowControls {
  IconSource source = IconSource::Fs;
  std::u16string text;
  bool enabled = true;  // the field and its "Source" choice
  bool pickEnabled = false;
  bool indicatorVisible = false;  // the animated row's indicator animates while visible
};

struct FieldControl {
  std::u16string text;
  bool enabled = false;
};

struct MidletChoice {
  InstalledMidlet midlet;
  bool onCard = false;
  std::string shownText() const { return " " + midlet.name; }
};

struct EditorControls {
  std::array<StringListControls, kStringListCount> lists;
  std::array<CheckControl, kAttributeBoxCount> boxes;
  bool iconGroupEnabled = true;
  std::array<IconRowControls, kIconRowCount> icons;

  ItemFunction function = ItemFunction::None;
  bool functionChoiceEnabled = true;
  bool functionPageVisible = true;
  EditorPage page = EditorPage::Visual;
  std::array<bool, kItemFunctionCount> groupEnabled{};  // by function; "[None]" has no group
  std::array<FieldControl, kFunctionFieldCount> fields;
  bool sendChosen = false;  // "Call" otherwise
  bool callSendEnabled = false;
  std::vector<MidletChoice> midlets;
  int midletChoice = -1;
  bool midletChoiceEnabled = false;

  bool resetEnabled = false;
  bool applyEnabled = false;

  const StringListControls& list(StringList id) const {
    return lists[static_cast<std::size_t>(id)];
  }
  StringListControls& list(StringList id) { return lists[static_cast<std::size_t>(id)]; }
  const CheckControl& box(AttributeBox id) const { return boxes[static_cast<std::size_t>(id)]; }
  CheckControl& box(AttributeBox id) { return boxes[static_cast<std::size_t>(id)]; }
  const IconRowControls& icon(IconRow row) const { return icons[static_cast<std::size_t>(row)]; }
  IconRowControls& icon(IconRow row) { return icons[static_cast<std::size_t>(row)]; }
  const FieldControl& field(FunctionField id) const { return fields[static_cast<std::size_t>(id)]; }
  FieldControl& field(FunctionField id) { return fields[static_cast<std::size_t>(id)]; }
  bool group(ItemFunction function) const {
    return groupEnabled[static_cast<std::size_t>(function)];
  }
};

}  // namespace menuforge

// Changes carried into the open menu from elsewhere: what turned a base menu into a changed one,
// or a change list written by diff --json. They are shown in the compare panel's words, their
// conflicts with the open menu are listed so that each can be decided, and the result is taken
// into the document as one step.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/other_menu.h"
#include "base/result.h"
#include "document/menu_document.h"
#include "menu/change_list.h"
#include "menu/menu_merge.h"

namespace menuforge {

struct IncomingChanges {
  std::unique_ptr<OtherMenu> base;
  std::unique_ptr<OtherMenu> changed;
  std::optional<ChangeList> list;  // instead of the two menus
  std::vector<std::string> lines;  // the changes, as the compare panel words them
};

// `changed` is a menu file or a change list; a change list needs no base.
Result<IncomingChanges> LoadIncomingChanges(const std::filesystem::path& base,
                                            const std::filesystem::path& changed,
                                            const ItemTable& items);

// The open menu with the changes, each conflict settled as `choices` say.
Result<MergedMenu> MergeIncoming(const IncomingChanges& changes, const MenuDocument& document,
                                 const ConflictChoices& choices);

// Puts the merged menu in place of the open one as one step, which Undo takes back; false when
// nothing changed.
bool TakeMerged(MenuDocument& document, const MergedMenu& merged);

}  // namespace menuforge

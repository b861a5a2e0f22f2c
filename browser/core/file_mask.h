// The mask dialog ("Set file mask") and the list mode choice "By mask...".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/user_messages.h"
#include "browser/core/browser_run_state.h"

namespace menuforge {

struct MaskDialogContent {
  std::string letters;    // "Check volumes to read", all checked
  std::string extension;  // "Extension (none to read all files)", without its "."
};

// "By mask..." waits for a volume list, read here or with the menu file.
bool MaskChoiceEnabled(const std::string& volumes);
// The dialog is rebuilt at every showing from the volume table, each letter once; showing it
// resets the mask volumes to all of them.
MaskDialogContent BeginMaskDialog(BrowserRunState& state, const std::string& volumes);
// OK: the checked letters in list order, "." + the typed extension (empty when nothing is
// typed), and the list mode "By mask...". An extension that cannot go into a phone pattern
// changes nothing and comes back as the message to show.
[[nodiscard]] std::optional<Message> AcceptMask(BrowserRunState& state,
                                                const std::string& checkedLetters,
                                                std::u16string_view typed);

}  // namespace menuforge

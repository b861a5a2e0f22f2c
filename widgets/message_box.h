// The core's messages and questions as modal message boxes.
#pragma once

#include <optional>

#include "base/asker.h"

class QWidget;

namespace menuforge {

void ShowMessageBox(QWidget* parent, const Message& message);
// Yes and No buttons; true for Yes.
bool AskMessageBox(QWidget* parent, const Message& question);

// Save, Discard and Cancel buttons; Escape and the close box cancel.
SaveChoice AskToSaveMessageBox(QWidget* parent, const Message& question);

inline constexpr char kShowChangesButton[] = MENUFORGE_TEXT("core", "Show changes");
// As the two above, with a "Show changes" button besides; nothing when that was pressed.
std::optional<bool> AskOrShowChangesMessageBox(QWidget* parent, const Message& question);
std::optional<SaveChoice> AskToSaveOrShowChangesMessageBox(QWidget* parent,
                                                           const Message& question);

}  // namespace menuforge

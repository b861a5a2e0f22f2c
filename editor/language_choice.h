// What the two entry dialogs share: the drop-down of the 47 title languages.
#pragma once

#include <cstddef>

class QComboBox;
class QGroupBox;
class QWidget;

namespace menuforge {

// In LanguageTable order, showing `position`; picking a language from the open list moves the
// focus to `editor`, while keys on the closed list leave the focus where it is.
QComboBox* MakeLanguageChoice(QWidget* parent, std::size_t position, QWidget* editor);
// The language choice in its "Select language" group.
QGroupBox* MakeLanguageGroup(QComboBox* choice);

}  // namespace menuforge

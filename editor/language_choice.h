// The drop-down of the 47 title languages shared by the two entry dialogs.
#pragma once

#include <cstddef>

class QComboBox;
class QWidget;

namespace menuforge {

// In LanguageTable order, showing `position`; picking a language moves the focus to `editor`.
QComboBox* MakeLanguageChoice(QWidget* parent, std::size_t position, QWidget* editor);

}  // namespace menuforge

// Between the editor core's texts and what the widgets hold.
#pragma once

#include <QString>
#include <string>

#include "widgets/shown_text.h"

namespace menuforge {

inline QString Wide(const std::u16string& text) { return QString::fromStdU16String(text); }
inline std::u16string Wide(const QString& text) { return text.toStdU16String(); }

}  // namespace menuforge

// Between the editor core's texts and what the widgets hold.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace menuforge {

inline QString Wide(const std::u16string& text) { return QString::fromStdU16String(text); }
inline std::u16string Wide(const QString& text) { return text.toStdU16String(); }

// 8-bit texts of the phone's files, byte for byte.
inline QString EightBitText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace menuforge

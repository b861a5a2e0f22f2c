// Turning the program's 8-bit texts into what widgets show.
#pragma once

#include <QString>
#include <QStringDecoder>
#include <string_view>

namespace menuforge {

// 8-bit texts of the phone and its files (names, paths, item names), byte for byte as Latin-1.
inline QString EightBitText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Item names come from files in the system's code page and messages may carry file paths, so
// a text is read as UTF-8 where it is valid UTF-8 and byte for byte as Latin-1 otherwise. CR LF
// line ends become the single line break Qt's labels expect.
inline QString ShownText(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString shown = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (utf8.hasError()) shown = EightBitText(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace menuforge

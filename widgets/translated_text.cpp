#include "widgets/translated_text.h"

#include <QCoreApplication>
#include <string>
#include <vector>

#include "base/marked_text.h"
#include "widgets/shown_text.h"

namespace menuforge {

QString TranslatedCoreText(std::string_view text) {
  const std::string source(text);
  const QString translated = QCoreApplication::translate(kCoreTextContext, source.c_str());
  if (translated == QString::fromUtf8(source)) return ShownText(text);
  return ShownText(translated.toStdString());
}

QString ShownMessageText(const Message& message) {
  if (message.source.empty()) return TranslatedCoreText(message.text);
  // The same placeholders take the same values, whatever order the translation puts them in.
  std::vector<std::string> values;
  values.reserve(message.values.size());
  for (const std::string& value : message.values)
    values.push_back(TranslatedCoreText(value).toStdString());
  return QString::fromStdString(
      FilledText(TranslatedCoreText(message.source).toStdString(), values));
}

QString ShownCaption(const Message& message) { return TranslatedCoreText(message.caption); }

}  // namespace menuforge

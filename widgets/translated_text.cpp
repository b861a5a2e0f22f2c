#include "widgets/translated_text.h"

#include <QCoreApplication>
#include <string>
#include <vector>

#include "widgets/shown_text.h"

namespace menuforge {
namespace {

// As FilledText in the core, on the translated source: the same placeholders take the same
// values, whatever order the translation puts them in.
QString Filled(const QString& source, const std::vector<QString>& values) {
  QString filled;
  filled.reserve(source.size());
  for (qsizetype i = 0; i < source.size(); ++i) {
    const QChar next = i + 1 < source.size() ? source[i + 1] : QChar();
    const bool placeholder = source[i] == u'%' && next >= u'1' && next <= u'9';
    const auto number = placeholder ? static_cast<std::size_t>(next.unicode() - u'0') : 0;
    if (placeholder && number <= values.size()) {
      filled += values[number - 1];
      ++i;
      continue;
    }
    filled += source[i];
  }
  return filled;
}

}  // namespace

QString TranslatedCoreText(std::string_view text) {
  const std::string source(text);
  const QString translated = QCoreApplication::translate(kCoreTextContext, source.c_str());
  if (translated == QString::fromUtf8(source)) return ShownText(text);
  return ShownText(translated.toStdString());
}

QString ShownMessageText(const Message& message) {
  if (message.source.empty()) return TranslatedCoreText(message.text);
  std::vector<QString> values;
  values.reserve(message.values.size());
  for (const std::string& value : message.values) values.push_back(TranslatedCoreText(value));
  return Filled(TranslatedCoreText(message.source), values);
}

QString ShownCaption(const Message& message) { return TranslatedCoreText(message.caption); }

}  // namespace menuforge

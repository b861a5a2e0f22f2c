#include "editor/language_choice.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "base/text_encoding.h"
#include "menu/languages.h"
#include "widgets/shown_text.h"

namespace menuforge {

QComboBox* MakeLanguageChoice(QWidget* parent, std::size_t position, QWidget* editor) {
  auto* choice = new QComboBox(parent);
  choice->setObjectName(QStringLiteral("languageChoice"));
  for (std::string_view name : LanguageTable) choice->addItem(EightBitText(name));
  choice->setCurrentIndex(static_cast<int>(position < kLanguageCount ? position : 0));
  QObject::connect(choice, &QComboBox::activated, editor, [editor] { editor->setFocus(); });
  return choice;
}

QGroupBox* MakeLanguageGroup(QComboBox* choice) {
  auto* group = new QGroupBox(QStringLiteral("Select language"));
  (new QVBoxLayout(group))->addWidget(choice);
  return group;
}

}  // namespace menuforge

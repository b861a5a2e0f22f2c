#include "editor/language_choice.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "base/text_encoding.h"
#include "menu/languages.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

// A language picked from the open list hands the focus on to the text; keys on the closed list
// (typing a name to find it, the arrows) only browse, so the focus stays and no letter of a
// typed name lands in the text.
class LanguageComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  bool browsing() const { return browsing_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    browsing_ = true;
    QComboBox::keyPressEvent(event);
    browsing_ = false;
  }

 private:
  bool browsing_ = false;
};

}  // namespace

QComboBox* MakeLanguageChoice(QWidget* parent, std::size_t position, QWidget* editor) {
  auto* choice = new LanguageComboBox(parent);
  choice->setObjectName(QStringLiteral("languageChoice"));
  choice->setAccessibleName(QObject::tr("Language"));
  for (std::string_view name : LanguageTable) choice->addItem(EightBitText(name));
  choice->setCurrentIndex(static_cast<int>(position < kLanguageCount ? position : 0));
  QObject::connect(choice, &QComboBox::activated, editor, [choice, editor] {
    if (!choice->browsing()) editor->setFocus();
  });
  return choice;
}

QGroupBox* MakeLanguageGroup(QComboBox* choice) {
  auto* group = new QGroupBox(QCoreApplication::translate("LanguageChoice", "Select language"));
  (new QVBoxLayout(group))->addWidget(choice);
  return group;
}

}  // namespace menuforge

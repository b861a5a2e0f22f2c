#include "editor/language_choice.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "menu/commondata.h"

namespace menuforge {

QComboBox* MakeLanguageChoice(QWidget* parent, std::size_t position, QWidget* editor) {
  auto* choice = new QComboBox(parent);
  choice->setObjectName(QStringLiteral("languageChoice"));
  for (std::string_view name : LanguageTable)
    choice->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  choice->setCurrentIndex(static_cast<int>(position < kLanguageCount ? position : 0));
  QObject::connect(choice, &QComboBox::activated, editor, [editor] { editor->setFocus(); });
  return choice;
}

QGroupBox* MakeLanguageGroup(QComboBox* choice) {
  auto* group = new QGroupBox(QStringLiteral("Select language"));
  (new QVBoxLayout(group))->addWidget(choice);
  return group;
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  ok->setObjectName(QStringLiteral("okButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace menuforge

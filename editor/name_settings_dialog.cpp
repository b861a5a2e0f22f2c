#include "editor/name_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/core/field_checks.h"
#include "editor/language_choice.h"
#include "editor/shown_texts.h"
#include "widgets/dialog_buttons.h"

namespace menuforge {

NameSettingsDialog::NameSettingsDialog(QWidget* parent, const EntryRequest& request,
                                       UserDialogs& dialogs)
    : QDialog(parent), dialogs_(dialogs), nameField_(new QLineEdit(Wide(request.text))) {
  setWindowTitle(tr("Name settings"));
  nameField_->setObjectName(QStringLiteral("nameField"));
  nameField_->setAccessibleName(tr("New name"));
  languageChoice_ = MakeLanguageChoice(this, request.languagePosition, nameField_);

  auto* nameGroup = new QGroupBox(tr("Type in new name"));
  (new QVBoxLayout(nameGroup))->addWidget(nameField_);
  QGroupBox* languageGroup = MakeLanguageGroup(languageChoice_);

  QDialogButtonBox* buttons = MakeOkCancelButtons(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(nameGroup);
  layout->addWidget(languageGroup);
  layout->addWidget(buttons);
  nameField_->setFocus();
}

std::u16string NameSettingsDialog::text() const { return Wide(nameField_->text()); }

std::size_t NameSettingsDialog::languagePosition() const {
  return static_cast<std::size_t>(languageChoice_->currentIndex());
}

void NameSettingsDialog::accept() {
  if (const std::optional<Message> refused = CheckEntryText(text())) {
    dialogs_.Show(*refused);
    return;
  }
  QDialog::accept();
}

}  // namespace menuforge

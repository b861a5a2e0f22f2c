#include "app/settings_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/window_languages.h"
#include "base/user_messages.h"
#include "widgets/translated_text.h"

namespace menuforge {

namespace {

constexpr int kIndent = 20;

QCheckBox* AddBox(QVBoxLayout* layout, const QString& caption, const char* name, int indent = 0) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(QString::fromLatin1(name));
  auto* row = new QHBoxLayout;
  row->setContentsMargins(indent, 0, 0, 0);
  row->addWidget(box);
  layout->addLayout(row);
  return box;
}

QPushButton* MakeButton(const QString& caption, const char* name) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, std::filesystem::path settingsPath,
                               bool phoneConnected, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings),
      settingsPath_(std::move(settingsPath)),
      editor_(settings) {
  setWindowTitle(tr("Settings"));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  loggingBox_ = AddBox(layout, tr("Enable p2k ops logging"), "loggingBox");
  systemAttributeBox_ = AddBox(layout, tr("Set SYSTEM attribute"), "systemAttributeBox");
  QCheckBox* activateSeemBox = AddBox(layout, tr("Activate items in SEEM 0032"), "activateSeemBox");
  activateSeemBox->setEnabled(false);

  auto* seemRow = new QHBoxLayout;
  backupButton_ = MakeButton(tr("Backup SEEM"), "backupSeemButton");
  restoreButton_ = MakeButton(tr("Restore backup"), "restoreBackupButton");
  SetPhoneConnected(phoneConnected);
  seemRow->addWidget(backupButton_);
  seemRow->addWidget(restoreButton_);
  layout->addLayout(seemRow);

  readJ2mestBox_ = AddBox(layout, tr("Read J2MEST"), "readJ2mestBox");
  fromPhoneBox_ = AddBox(layout, tr("From phone"), "fromPhoneBox", kIndent);
  fromCardBox_ = AddBox(layout, tr("From card"), "fromCardBox", kIndent);
  patchJ2mestBox_ = AddBox(layout, tr("Allow patching to run corelets"), "patchJ2mestBox", kIndent);
  showPhoneChangesBox_ =
      AddBox(layout, tr("Show changes before saving to phone"), "showPhoneChangesBox");

  languageBox_ = AddLanguageChoice(layout);

  auto* buttonRow = new QHBoxLayout;
  QPushButton* okButton = MakeButton(tr("OK"), "okButton");
  QPushButton* cancelButton = MakeButton(tr("Cancel"), "cancelButton");
  okButton->setDefault(true);
  buttonRow->addStretch();
  buttonRow->addWidget(okButton);
  buttonRow->addWidget(cancelButton);
  layout->addLayout(buttonRow);

  // `clicked` comes only from the user, so refreshing the boxes cannot loop back here.
  const auto bind = [this](QCheckBox* box, void (SettingsEditor::*set)(bool)) {
    connect(box, &QCheckBox::clicked, this, [this, set](bool on) {
      (editor_.*set)(on);
      ShowPending();
    });
  };
  bind(loggingBox_, &SettingsEditor::SetLogging);
  bind(systemAttributeBox_, &SettingsEditor::SetSystemAttribute);
  bind(readJ2mestBox_, &SettingsEditor::SetReadJ2mest);
  bind(fromPhoneBox_, &SettingsEditor::SetFromPhone);
  bind(fromCardBox_, &SettingsEditor::SetFromCard);
  bind(patchJ2mestBox_, &SettingsEditor::SetPatchJ2mest);
  bind(showPhoneChangesBox_, &SettingsEditor::SetShowPhoneChanges);

  connect(languageBox_, &QComboBox::activated, this,
          [this](int index) { editor_.SetWindowLanguage(kWindowLanguages[index].code); });
  connect(backupButton_, &QPushButton::clicked, this, &SettingsDialog::backupRequested);
  connect(restoreButton_, &QPushButton::clicked, this, &SettingsDialog::restoreRequested);
  connect(okButton, &QPushButton::clicked, this, &SettingsDialog::Confirm);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  ShowPending();
}

QComboBox* SettingsDialog::AddLanguageChoice(QVBoxLayout* layout) {
  auto* box = new QComboBox;
  box->setObjectName(QStringLiteral("languageBox"));
  for (const WindowLanguage& language : kWindowLanguages)
    box->addItem(TranslatedCoreText(language.name));
  auto* label = new QLabel(tr("Language of the window"));
  label->setBuddy(box);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(box);
  layout->addLayout(row);
  auto* note = new QLabel(tr("The language changes at the next start."));
  note->setObjectName(QStringLiteral("languageNote"));
  layout->addWidget(note);
  return box;
}

void SettingsDialog::SetPhoneConnected(bool connected) {
  backupButton_->setEnabled(connected);
  restoreButton_->setEnabled(connected);
}

void SettingsDialog::ShowPending() {
  const Settings& pending = editor_.Pending();
  loggingBox_->setChecked(pending.logging);
  systemAttributeBox_->setChecked(pending.setSystemAttribute);
  readJ2mestBox_->setChecked(pending.readJ2mest);
  fromPhoneBox_->setChecked(pending.fromPhone);
  fromCardBox_->setChecked(pending.fromCard);
  patchJ2mestBox_->setChecked(pending.patchJ2mest);
  showPhoneChangesBox_->setChecked(pending.showPhoneChanges);
  fromPhoneBox_->setEnabled(editor_.SourceBoxesEnabled());
  fromCardBox_->setEnabled(editor_.SourceBoxesEnabled());
  patchJ2mestBox_->setEnabled(editor_.PatchBoxEnabled());
  const auto chosen = std::find_if(std::begin(kWindowLanguages), std::end(kWindowLanguages),
                                   [&pending](const WindowLanguage& language) {
                                     return language.code == pending.windowLanguage;
                                   });
  // A language this build does not know is shown as the system's, which is what the start did.
  languageBox_->setCurrentIndex(
      chosen == std::end(kWindowLanguages) ? 0 : static_cast<int>(chosen - kWindowLanguages));
}

void SettingsDialog::Confirm() {
  settings_ = editor_.Confirmed();
  // The settings in memory stay updated even when the file cannot be written; the window stays
  // open so that the user can try again or cancel.
  const Status written = settingsPath_.empty() ? Status() : WriteSettings(settingsPath_, settings_);
  if (!written) {
    QMessageBox::critical(this, ShownCaption(written.error()), ShownMessageText(written.error()));
    return;
  }
  accept();
}

}  // namespace menuforge

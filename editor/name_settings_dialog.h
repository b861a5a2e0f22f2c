// "Name settings": one title row's text and language.
#pragma once

#include <QDialog>
#include <string>

#include "base/user_messages.h"
#include "editor/core/entry_request.h"

class QComboBox;
class QLineEdit;

namespace menuforge {

class NameSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  NameSettingsDialog(QWidget* parent, const EntryRequest& request, UserDialogs& dialogs);

  std::u16string text() const;
  std::size_t languagePosition() const;

  // Refuses a text longer than a title entry holds, and keeps the dialog open with it.
  void accept() override;

 private:
  UserDialogs& dialogs_;
  QLineEdit* nameField_;
  QComboBox* languageChoice_;
};

}  // namespace menuforge

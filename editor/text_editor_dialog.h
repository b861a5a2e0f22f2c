// "Text editor ": one row of a text screen, its text and language.
#pragma once

#include <QDialog>
#include <string>

#include "base/user_messages.h"
#include "editor/core/entry_request.h"
#include "menu/item_data.h"

class QComboBox;
class QPlainTextEdit;

namespace menuforge {

// As many characters as a text entry holds, so that a full field can still be confirmed.
inline constexpr int kTextEditorMaxLength = static_cast<int>(kMaxTitleCharacters);

class TextEditorDialog : public QDialog {
  Q_OBJECT

 public:
  TextEditorDialog(QWidget* parent, const EntryRequest& request, UserDialogs& dialogs);

  std::u16string text() const;
  std::size_t languagePosition() const;

  // Refuses a text longer than an entry holds, and keeps the dialog open with it.
  void accept() override;

 private:
  UserDialogs& dialogs_;
  QPlainTextEdit* textField_;
  QComboBox* languageChoice_;
};

}  // namespace menuforge

// Everything the item editor and its entry dialogs ask of the user in a window of its own, behind
// one interface so that tests can answer with a script instead of blocking.
#pragma once

#include "base/user_messages.h"

class QDialog;
class QWidget;

namespace menuforge {

class EditorPrompts : public UserDialogs {
 public:
  // Shows the dialog modally; true when it was accepted.
  virtual bool RunModal(QDialog& dialog) = 0;
};

// Message boxes over a parent window, and modal dialogs run by their own event loop.
class QtEditorPrompts final : public EditorPrompts {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Show(const Message& message) override;
  bool Ask(const Message& question) override;
  bool RunModal(QDialog& dialog) override;

 private:
  QWidget* parent_ = nullptr;
};

}  // namespace menuforge

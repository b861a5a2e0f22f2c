// "Confirmation": the question asked for each file while several are deleted, with "Yes",
// "Cancel" (the default, also on Esc), "Yes to all" and "Skip".
#pragma once

#include <QDialog>

#include "browser/browser_prompts.h"
#include "browser/core/phone_browser.h"

class QLabel;

namespace menuforge {

class DeleteRequestDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DeleteRequestDialog(QWidget* parent);

  void SetQuestion(const std::string& question);
  DeleteAnswer answer() const { return answer_; }

 private:
  void Answer(DeleteAnswer answer);

  QLabel* question_;
  DeleteAnswer answer_ = DeleteAnswer::Cancel;
};

// Asks the browser's questions with the dialog, shown through the browser's prompts.
class DialogDeleteRequest final : public DeleteRequest {
 public:
  DialogDeleteRequest(QWidget* parent, BrowserPrompts& prompts)
      : dialog_(parent), prompts_(prompts) {}

  DeleteAnswer Ask(const std::string& question) override;

 private:
  DeleteRequestDialog dialog_;
  BrowserPrompts& prompts_;
};

}  // namespace menuforge

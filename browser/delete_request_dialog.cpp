#include "browser/delete_request_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr int kPictureSide = 32;

}  // namespace

DeleteRequestDialog::DeleteRequestDialog(QWidget* parent)
    : QDialog(parent), question_(new QLabel(tr("Delete selected files?"))) {
  setWindowTitle(tr("Confirmation"));
  question_->setObjectName(QStringLiteral("questionLabel"));
  auto* picture = new QLabel;
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(kPictureSide));

  auto* buttons = new QHBoxLayout;
  const auto add = [&](const QString& text, const char* name, DeleteAnswer answer) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, answer] { Answer(answer); });
    buttons->addWidget(button);
    return button;
  };
  add(tr("Yes"), "yesButton", DeleteAnswer::Yes);
  add(tr("Cancel"), "cancelButton", DeleteAnswer::Cancel)->setDefault(true);
  add(tr("Yes to all"), "yesToAllButton", DeleteAnswer::YesToAll);
  add(tr("Skip"), "skipButton", DeleteAnswer::Skip);

  auto* top = new QHBoxLayout;
  top->addWidget(picture);
  top->addWidget(question_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
}

void DeleteRequestDialog::SetQuestion(const std::string& question) {
  question_->setText(ShownText(question));
  answer_ = DeleteAnswer::Cancel;
}

void DeleteRequestDialog::Answer(DeleteAnswer answer) {
  answer_ = answer;
  // Esc and the window's close button reject, which is "Cancel" too.
  if (answer == DeleteAnswer::Cancel)
    reject();
  else
    accept();
}

DeleteAnswer DialogDeleteRequest::Ask(const std::string& question) {
  dialog_.SetQuestion(question);
  return prompts_.RunModal(dialog_) ? dialog_.answer() : DeleteAnswer::Cancel;
}

}  // namespace menuforge

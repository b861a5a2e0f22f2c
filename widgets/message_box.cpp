#include "widgets/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "widgets/shown_text.h"
#include "widgets/translated_text.h"

namespace menuforge {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// The button a "Show changes" question adds beside its own; it does not close the question's
// answer, the caller asks again once the changes were shown.
QPushButton* AddShowChangesButton(QMessageBox& box) {
  QPushButton* button =
      box.addButton(TranslatedCoreText(kShowChangesButton), QMessageBox::HelpRole);
  button->setObjectName(QStringLiteral("showChangesButton"));
  return button;
}

}  // namespace

void ShowMessageBox(QWidget* parent, const Message& message) {
  QMessageBox box(BoxIcon(message.icon), ShownCaption(message), ShownMessageText(message),
                  QMessageBox::Ok, parent);
  box.exec();
}

bool AskMessageBox(QWidget* parent, const Message& question) {
  QMessageBox box(BoxIcon(question.icon), ShownCaption(question), ShownMessageText(question),
                  QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

SaveChoice AskToSaveMessageBox(QWidget* parent, const Message& question) {
  QMessageBox box(BoxIcon(question.icon), ShownCaption(question), ShownMessageText(question),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: break;
  }
  return SaveChoice::Cancel;
}

std::optional<bool> AskOrShowChangesMessageBox(QWidget* parent, const Message& question) {
  QMessageBox box(BoxIcon(question.icon), ShownCaption(question), ShownMessageText(question),
                  QMessageBox::Yes | QMessageBox::No, parent);
  const QPushButton* showChanges = AddShowChangesButton(box);
  const int answer = box.exec();
  if (box.clickedButton() == showChanges) return std::nullopt;
  return answer == QMessageBox::Yes;
}

std::optional<SaveChoice> AskToSaveOrShowChangesMessageBox(QWidget* parent,
                                                           const Message& question) {
  QMessageBox box(BoxIcon(question.icon), ShownCaption(question), ShownMessageText(question),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Save);
  const QPushButton* showChanges = AddShowChangesButton(box);
  const int answer = box.exec();
  if (box.clickedButton() == showChanges) return std::nullopt;
  switch (answer) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: break;
  }
  return SaveChoice::Cancel;
}

}  // namespace menuforge

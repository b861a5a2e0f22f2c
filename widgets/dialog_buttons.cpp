#include "widgets/dialog_buttons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace menuforge {

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QCoreApplication::translate("DialogButtons", "OK"),
                                       QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QCoreApplication::translate("DialogButtons", "Cancel"),
                                           QDialogButtonBox::RejectRole);
  ok->setObjectName(QStringLiteral("okButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  ok->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace menuforge

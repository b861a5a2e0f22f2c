#include "browser/file_mask_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "widgets/dialog_buttons.h"

namespace menuforge {

FileMaskDialog::FileMaskDialog(QWidget* parent, const MaskDialogContent& content)
    : QDialog(parent), volumes_(new QListWidget), extension_(new QLineEdit) {
  setWindowTitle(tr("Set file mask"));
  volumes_->setObjectName(QStringLiteral("volumeList"));
  extension_->setObjectName(QStringLiteral("extensionField"));
  for (const char letter : content.letters) {
    auto* item = new QListWidgetItem(QString(QLatin1Char(letter)), volumes_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  extension_->setText(QString::fromLatin1(content.extension));

  auto* layout = new QVBoxLayout(this);
  auto* volumesLabel = new QLabel(tr("Check volumes to read"));
  volumes_->setAccessibleName(volumesLabel->text());
  layout->addWidget(volumesLabel);
  layout->addWidget(volumes_);
  auto* extensionLabel = new QLabel(tr("Extension (none to read all files)"));
  extensionLabel->setBuddy(extension_);
  layout->addWidget(extensionLabel);
  layout->addWidget(extension_);
  layout->addWidget(MakeOkCancelButtons(this));
  setFixedSize(sizeHint());
}

std::string FileMaskDialog::checkedLetters() const {
  std::string letters;
  for (int row = 0; row < volumes_->count(); ++row)
    if (volumes_->item(row)->checkState() == Qt::Checked)
      letters += volumes_->item(row)->text().toLatin1().toStdString();
  return letters;
}

std::u16string FileMaskDialog::extension() const { return extension_->text().toStdU16String(); }

}  // namespace menuforge

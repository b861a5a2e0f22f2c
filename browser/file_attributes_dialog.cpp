#include "browser/file_attributes_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "widgets/dialog_buttons.h"

namespace menuforge {
namespace {

QCheckBox* MakeBox(const QString& text, const char* name, bool checked) {
  auto* box = new QCheckBox(text);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  return box;
}

}  // namespace

FileAttributesDialog::FileAttributesDialog(QWidget* parent, const AttributeChoice& shown)
    : QDialog(parent),
      readOnly_(MakeBox(tr("Read-only"), "readOnlyBox", shown.readOnly)),
      hidden_(MakeBox(tr("Hidden"), "hiddenBox", shown.hidden)),
      system_(MakeBox(tr("System"), "systemBox", shown.system)) {
  setWindowTitle(tr("Set file attributes"));
  auto* group = new QGroupBox(tr("File attributes"));
  auto* boxes = new QVBoxLayout(group);
  boxes->addWidget(readOnly_);
  boxes->addWidget(hidden_);
  boxes->addWidget(system_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(MakeOkCancelButtons(this));
  setFixedSize(sizeHint());
}

AttributeChoice FileAttributesDialog::choice() const {
  return {readOnly_->isChecked(), hidden_->isChecked(), system_->isChecked()};
}

}  // namespace menuforge

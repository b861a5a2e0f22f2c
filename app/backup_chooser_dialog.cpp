#include "app/backup_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/core/window_texts.h"
#include "widgets/dialog_buttons.h"
#include "widgets/shown_text.h"

namespace menuforge {

BackupChooserDialog::BackupChooserDialog(const char* title, const std::vector<PhoneBackup>& backups,
                                         const std::vector<BackupRow>& rows,
                                         OtherBackupChooser other, QWidget* parent)
    : QDialog(parent), backups_(backups), other_(std::move(other)) {
  setObjectName(QStringLiteral("backupChooser"));
  setWindowTitle(ShownText(title));
  list_ = new QTreeWidget;
  list_->setObjectName(QStringLiteral("backupList"));
  list_->setAccessibleName(tr("Phone backups"));
  list_->setHeaderLabels({tr("Phone"), tr("IMEI"), tr("Taken")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  // Every column as wide as its widest text: nothing is cut, the window grows instead.
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(false);
  for (const BackupRow& row : rows)
    new QTreeWidgetItem(list_, {ShownText(row.phone), ShownText(row.imei), ShownText(row.taken)});
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &BackupChooserDialog::accept);

  auto* otherButton = new QPushButton(tr("Other file..."));
  otherButton->setObjectName(QStringLiteral("otherFileButton"));
  otherButton->setAutoDefault(false);
  connect(otherButton, &QPushButton::clicked, this, &BackupChooserDialog::ChooseOther);
  QDialogButtonBox* buttons = MakeOkCancelButtons(this);
  buttons->addButton(otherButton, QDialogButtonBox::ActionRole);

  // OK takes a copy of the list, so without one only "Other file..." can choose.
  buttons->findChild<QPushButton*>(QStringLiteral("okButton"))->setEnabled(!rows.empty());
  auto* layout = new QVBoxLayout(this);
  if (rows.empty()) {
    auto* none = new QLabel(ShownText(kNoBackupsText));
    none->setObjectName(QStringLiteral("noBackupsLabel"));
    layout->addWidget(none);
  }
  layout->addWidget(list_);
  layout->addWidget(buttons);
  list_->setMinimumWidth(list_->header()->length() + 2 * list_->frameWidth() + 24);
}

void BackupChooserDialog::ChooseOther() {
  if (std::optional<std::filesystem::path> path = other_()) {
    chosen_ = std::move(path);
    QDialog::accept();
  }
}

void BackupChooserDialog::accept() {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (row < 0) return;
  chosen_ = backups_[static_cast<std::size_t>(row)].path;
  QDialog::accept();
}

}  // namespace menuforge

#include "app/apply_changes_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/message_box.h"
#include "widgets/shown_text.h"

namespace menuforge {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 520;

}  // namespace

ApplyChangesDialog::ApplyChangesDialog(MenuDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
  setObjectName(QStringLiteral("applyChangesDialog"));
  setWindowTitle(tr("Apply changes from"));
  resize(kWidth, kHeight);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  basePath_ = PathRow(tr("Base menu:"), "basePath", grid, 0);
  changedPath_ = PathRow(tr("Changed menu or change list:"), "changedPath", grid, 1);
  layout->addLayout(grid);
  auto* show = new QPushButton(tr("Show changes"));
  show->setObjectName(QStringLiteral("showChangesButton"));
  show->setAccessibleName(tr("Show changes"));
  connect(show, &QPushButton::clicked, this, &ApplyChangesDialog::ShowChanges);
  layout->addWidget(show, 0, Qt::AlignLeft);
  layout->addWidget(new QLabel(tr("Changes:")));
  changes_ = new QListWidget;
  changes_->setObjectName(QStringLiteral("incomingChanges"));
  changes_->setAccessibleName(tr("Changes"));
  layout->addWidget(changes_, 2);
  layout->addWidget(new QLabel(tr("Conflicts with the open menu:")));
  conflicts_ = new QTableWidget(0, 2);
  conflicts_->setObjectName(QStringLiteral("incomingConflicts"));
  conflicts_->setAccessibleName(tr("Conflicts"));
  conflicts_->setHorizontalHeaderLabels({tr("Conflict"), tr("Keep")});
  conflicts_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  conflicts_->verticalHeader()->hide();
  layout->addWidget(conflicts_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  apply_ = buttons->addButton(tr("Apply"), QDialogButtonBox::AcceptRole);
  apply_->setObjectName(QStringLiteral("applyButton"));
  apply_->setAccessibleName(tr("Apply"));
  apply_->setEnabled(false);
  connect(apply_, &QPushButton::clicked, this, &ApplyChangesDialog::Apply);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QLineEdit* ApplyChangesDialog::PathRow(const QString& caption, const char* name, QGridLayout* grid,
                                       int row) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(caption);
  auto* browse = new QPushButton(tr("Browse…"));
  browse->setAccessibleName(caption + QLatin1Char(' ') + tr("Browse…"));
  connect(browse, &QPushButton::clicked, this, [this, edit, caption] {
    const QString path = QFileDialog::getOpenFileName(this, caption, edit->text());
    if (!path.isEmpty()) edit->setText(path);
  });
  grid->addWidget(new QLabel(caption), row, 0);
  grid->addWidget(edit, row, 1);
  grid->addWidget(browse, row, 2);
  return edit;
}

void ApplyChangesDialog::ChooseFiles(const QString& base, const QString& changed) {
  basePath_->setText(base);
  changedPath_->setText(changed);
  ShowChanges();
}

void ApplyChangesDialog::ShowChanges() {
  incoming_.reset();
  changes_->clear();
  conflicts_->setRowCount(0);
  apply_->setEnabled(false);
  Result<IncomingChanges> loaded =
      LoadIncomingChanges(basePath_->text().toStdString(), changedPath_->text().toStdString(),
                          document_.catalog().itemBase());
  if (!loaded) return ShowMessageBox(this, loaded.error());
  // Keeping mine everywhere lists every conflict the changes meet.
  Result<MergedMenu> trial = MergeIncoming(*loaded, document_, ConflictChoice::KeepMine);
  if (!trial) return ShowMessageBox(this, trial.error());
  incoming_ = std::move(*loaded);
  for (const std::string& line : incoming_->lines) changes_->addItem(ShownText(line));
  if (incoming_->lines.empty()) changes_->addItem(tr("No changes"));
  conflictLines_ = trial->conflicts;
  conflicts_->setRowCount(static_cast<int>(conflictLines_.size()));
  for (int row = 0; row < conflicts_->rowCount(); ++row) {
    conflicts_->setItem(row, 0, new QTableWidgetItem(ShownText(conflictLines_[row])));
    auto* keep = new QComboBox;
    keep->addItems({tr("keep mine"), tr("take theirs")});
    keep->setAccessibleName(tr("Keep for conflict %1").arg(row + 1));
    conflicts_->setCellWidget(row, 1, keep);
  }
  apply_->setEnabled(true);
}

void ApplyChangesDialog::ChooseTheirs(int conflict) {
  if (auto* keep = qobject_cast<QComboBox*>(conflicts_->cellWidget(conflict, 1)))
    keep->setCurrentIndex(1);
}

ConflictChoices ApplyChangesDialog::Choices() const {
  ConflictChoices choices;
  for (int row = 0; row < conflicts_->rowCount(); ++row)
    if (static_cast<QComboBox*>(conflicts_->cellWidget(row, 1))->currentIndex() == 1)
      choices.theirs.insert(conflictLines_[row]);
  return choices;
}

void ApplyChangesDialog::Apply() {
  if (!incoming_) return;
  Result<MergedMenu> merged = MergeIncoming(*incoming_, document_, Choices());
  if (!merged) return ShowMessageBox(this, merged.error());
  TakeMerged(document_, *merged);
  accept();
}

}  // namespace menuforge
